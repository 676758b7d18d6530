// Fuzz target for the start's reading of journals: a journal of a small
// batch killed part way, then damaged (bytes changed, cut, lines added or
// dropped), some files replaced by others under the same names, read and
// acted on over a simulated folder. Never a crash, never a rename outside
// the folder the journal names, no file lost, no other file renamed.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

#include "../core/memory_journals.h"
#include "fuzzed_answers.h"
#include "../core/simulated_folder.h"
#include "exec/left_runs.h"
#include "exec/rename_run.h"

namespace {

using testing_support::AnsweringWindow;
using testing_support::Contents;

constexpr char kFolder[] = "C:\\d\\";

// One name inside one folder: no separator among its characters.
bool IsOneName(const std::string& name) {
  const auto key = testing_support::SimulatedNameKey(name);
  return key && !name.empty() && key->find(u'\\') == std::u16string::npos &&
         key->find(u'/') == std::u16string::npos;
}

// The simulated folder, with every rename checked as it is handed over.
class CheckedFiles final : public exec::FileOperations {
 public:
  testing_support::SimulatedFolder folder;
  std::string allowedFolder;

  bool Exists(const std::string& f, const std::string& name) override { return folder.Exists(f, name); }
  exec::RenameOutcome Rename(const std::string& f, const std::string& from, const std::string& to,
                             const exec::BeforeMiddleName& beforeMiddle) override {
    if (f != allowedFolder || !IsOneName(from) || !IsOneName(to)) std::abort();
    return folder.Rename(f, from, to, beforeMiddle);
  }
  exec::FolderListing ListFolder(const std::string& f) override { return folder.ListFolder(f); }
  std::optional<std::string> NameOnDisk(const std::string& f, const std::string& name) override {
    return folder.NameOnDisk(f, name);
  }
  bool NameKey(std::string_view name, std::u16string& key) override { return folder.NameKey(name, key); }
};

std::string Name(FuzzedDataProvider& input) {
  static const char* const kPieces[] = {"a", "A", "b", "c", "\xB1\xA8", "\\", "."};
  std::string name;
  const int length = input.ConsumeIntegralInRange(1, 3);
  for (int i = 0; i < length; ++i) name += kPieces[input.ConsumeIntegralInRange<size_t>(0, 6)];
  return name;
}

std::string Damaged(std::string text, FuzzedDataProvider& input) {
  const int changes = input.ConsumeIntegralInRange(0, 4);
  for (int i = 0; i < changes && !text.empty(); ++i) {
    const size_t at = input.ConsumeIntegralInRange<size_t>(0, text.size() - 1);
    switch (input.ConsumeIntegralInRange(0, 3)) {
      case 0: text[at] = static_cast<char>(input.ConsumeIntegral<uint8_t>()); break;
      case 1: text.resize(at); break;
      case 2: text.insert(at, input.ConsumeRandomLengthString(12)); break;
      default: text.erase(at, input.ConsumeIntegralInRange<size_t>(0, 20)); break;
    }
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  FuzzedDataProvider input(bytes, size);
  CheckedFiles files;
  rules::ProgramState state;
  state.FolderPath = kFolder;
  const int entries = input.ConsumeIntegralInRange(0, 6);
  for (int i = 0; i < entries; ++i) {
    const std::string name = Name(input);
    if (!IsOneName(name) || files.folder.Find(kFolder + name)) continue;
    files.folder.files[kFolder + name] = "file " + std::to_string(i);
    state.CurrentNames.push_back(name);
    state.NewNames.push_back(Name(input));
  }
  state.UndoNames = state.CurrentNames;
  AnsweringWindow window(input);
  testing_support::MemoryJournals journals;
  {
    files.allowedFolder = kFolder;
    exec::RenameRun run = exec::RenameRun::Batch(state, files, journals);
    const int steps = input.ConsumeIntegralInRange(1, 8);
    int taken = 0;
    run.Step(window, [&] { return ++taken >= steps; });
  }  // killed
  std::map<std::string, std::string> strangers;
  int other = 0;
  for (auto& [path, contents] : files.folder.files) {
    if (input.remaining_bytes() == 0 || input.ConsumeIntegral<uint8_t>() % 4 != 0) continue;
    contents = "stranger " + std::to_string(++other);
    strangers[path] = contents;
  }
  const auto before = Contents(files.folder.files);
  for (auto& [name, journal] : journals.journals) {
    journal.durable = Damaged(journal.appended, input);
    const auto parsed = exec::ParseJournal(journal.durable);
    files.allowedFolder = parsed ? parsed->folder : std::string("\n(none)");
  }
  exec::PutBackLeftRuns(journals, files, window, [&](exec::RenameRun& run) {
    while (!run.Step(window, [] { return false; })) {
    }
  });
  if (Contents(files.folder.files) != before) std::abort();
  for (const auto& [path, contents] : strangers) {
    const auto found = files.folder.files.find(path);
    if (found == files.folder.files.end() || found->second != contents) std::abort();
  }
  return 0;
}
