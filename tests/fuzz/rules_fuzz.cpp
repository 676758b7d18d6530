// Fuzz target for the text operations and the five rename computations:
// no crash, no sanitizer report, no endless loop, and the few properties
// that hold for every input; the conversion of texts to UTF-16 and back.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "rules/compute_new_names.h"
#include "rules/gbk_text.h"
#include "rules/sequence_numbering.h"
#include "rules/text_codec.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

void CheckTextOperations(FuzzedDataProvider& data) {
  const std::string text = data.ConsumeRandomLengthString(64);
  const std::string needle = data.ConsumeRandomLengthString(8);
  const int32_t start = data.ConsumeIntegral<int32_t>();
  const bool ignoreCase = data.ConsumeBool();

  const int found = rules::TextFind(text, needle, start, ignoreCase);
  Require(found == rules::kNoMatch || (found >= 1 && found <= static_cast<int>(text.size())));
  if (found != rules::kNoMatch && !needle.empty()) {
    Require(static_cast<size_t>(found) - 1 + needle.size() <= text.size());
  }
  Require(rules::TextToUpper(text).size() == text.size());
  Require(rules::TextToLower(rules::TextToUpper(text)) == rules::TextToLower(text));
  Require(rules::ReverseCharacters(text).size() == text.size());
  Require(rules::TextLeft(text, start).size() + rules::TextRight(text, start).size() <=
          2 * text.size());
  rules::Truncate(rules::TextToNumber(text));
  rules::Truncate(data.ConsumeFloatingPoint<double>());
  rules::NumberToNumeral(data.ConsumeIntegralInRange(1, 3), data.ConsumeIntegral<int32_t>());
}

rules::RenameOptions ConsumeOptions(FuzzedDataProvider& data) {
  rules::RenameOptions o;
  o.RenameType = data.ConsumeIntegralInRange(0, 6);
  o.AddText = data.ConsumeRandomLengthString(8);
  o.AddPosition = data.ConsumeRandomLengthString(8);
  o.AddFromRight = data.ConsumeBool();
  o.DeleteCount = data.ConsumeRandomLengthString(8);
  o.DeletePosition = data.ConsumeRandomLengthString(8);
  o.DeleteFromRight = data.ConsumeBool();
  o.IgnoreCase = data.ConsumeBool();
  o.SearchFromRight = data.ConsumeBool();
  o.SearchText = data.ConsumeRandomLengthString(6);
  o.UseReplacement = data.ConsumeBool();
  o.ReplacementText = data.ConsumeRandomLengthString(8);
  o.ReplaceAll = data.ConsumeBool();
  o.DeleteAll = data.ConsumeBool();
  o.NthValue = data.ConsumeRandomLengthString(6);
  o.CaseMode = data.ConsumeIntegralInRange(0, 4);
  o.NumberStyle = data.ConsumeIntegralInRange(-1, 3);
  o.AddBrackets = data.ConsumeBool();
  o.BracketType = data.ConsumeIntegralInRange(-1, 6);
  o.StartNumber = data.ConsumeRandomLengthString(12);
  o.NumberAtLeft = data.ConsumeBool();
  return o;
}

void CheckComputations(FuzzedDataProvider& data) {
  const rules::RenameOptions options = ConsumeOptions(data);
  rules::ProgramState state;
  const size_t count = data.ConsumeIntegralInRange<size_t>(0, 4);
  for (size_t i = 0; i < count; ++i) state.CurrentNames.push_back(data.ConsumeRandomLengthString(40));
  state.NewNames = state.CurrentNames;
  state.UndoNames = state.CurrentNames;

  const rules::ComputationOutcome outcome = rules::ComputeNewNames(options, state);
  Require(state.NewNames.size() == state.CurrentNames.size());
  Require(state.UndoNames == state.CurrentNames);
  if (outcome.newNames == rules::NewNamesResult::SetToCurrentNames) {
    Require(state.NewNames == state.CurrentNames);
  }
}

// A code page 936 like the system's in shape: lead bytes 0x81 to 0xFE, most
// of their pairs a character, 0x80 alone the euro sign, some pairs given
// to characters that GB18030 codes otherwise.
const rules::TextCodec& Codec() {
  static const rules::TextCodec codec = [] {
    rules::CodePage936 table;
    table.bytes[0x80] = u'\u20AC';
    char16_t next = 0x4E00;
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
      table.leads[lead] = true;
      for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
        if (trail != 0x7F && (lead + trail) % 11 != 0) table.pairs[lead << 8 | trail] = next++;
      }
    }
    table.pairs[0xA8BF] = u'\u01F9';
    table.pairs[0xA8BC] = u'\u00E9';
    return rules::TextCodec(table);
  }();
  return codec;
}

// Every text that converts comes back byte for byte, and every UTF-16
// text, lone surrogates included, converts and comes back unit for unit.
void CheckConversion(FuzzedDataProvider& data) {
  const std::string text = data.ConsumeRandomLengthString(32);
  std::u16string utf16;
  if (Codec().ToUtf16(text, utf16)) Require(Codec().FromUtf16(utf16) == text);
  Require(Codec().ToUtf16Shown(text).size() <= text.size());
  std::u16string wide;
  for (size_t i = data.ConsumeIntegralInRange<size_t>(0, 8); i > 0; --i) {
    wide.push_back(data.ConsumeIntegral<char16_t>());
  }
  std::u16string back;
  Require(Codec().ToUtf16(Codec().FromUtf16(wide), back) && back == wide);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  FuzzedDataProvider data(bytes, size);
  CheckTextOperations(data);
  CheckConversion(data);
  CheckComputations(data);
  return 0;
}
