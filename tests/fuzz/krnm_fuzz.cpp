// Fuzz target for reading a KRNM file and applying its lines to an options
// value: no crash, no sanitizer report, and what is applied saves back to
// lines that load the same way.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "params/krnm_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  const std::string_view file(reinterpret_cast<const char*>(bytes), size);
  params::KrnmReader reader(file);
  reader.NextLine();
  reader.NextLine();
  rules::RenameOptions options;
  size_t total = 0;
  for (int p = 1; p <= params::kParameterCount; ++p) {
    const std::string line = reader.NextLine();
    total += line.size();
    params::ApplyParameter(options, p, line);
  }
  if (total > size) std::abort();  // a line never holds more than the file

  const std::string saved = params::BuildKrnmFile(options);
  params::KrnmReader again(saved);
  again.NextLine();
  again.NextLine();
  rules::RenameOptions reloaded;
  for (int p = 1; p <= params::kParameterCount; ++p) params::ApplyParameter(reloaded, p, again.NextLine());
  // A text holding a line end, a zero byte, byte 26 or a lone lead byte
  // shifts the later lines, as the format has no escape; any other file
  // loads back to what was saved.
  bool plain = true;
  for (const std::string* text : {&options.AddText, &options.AddPosition, &options.DeleteCount,
                                  &options.DeletePosition, &options.SearchText,
                                  &options.ReplacementText, &options.NthValue, &options.StartNumber}) {
    for (char c : *text) plain = plain && c != '\n' && c != '\0' && c != 26 && (c & 0x80) == 0;
  }
  if (plain && params::BuildKrnmFile(reloaded) != saved) std::abort();
  return 0;
}
