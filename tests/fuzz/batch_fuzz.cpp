// Fuzz target for planning and carrying out a batch and its undo on a
// simulated folder: no file is ever lost or replaced, none is left under a
// parking name, and without locked files, a No or a close, Undo brings back
// the folder as it was.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "../core/memory_journals.h"
#include "fuzzed_answers.h"
#include "../core/simulated_folder.h"
#include "exec/rename_run.h"
#include "exec/plain_name.h"

namespace {

using testing_support::AnsweringWindow;
using testing_support::Contents;

constexpr char kFolder[] = "C:\\d\\";

// Short names over a few characters, so that chains, cycles, clashes of
// letter case and invalid names are common.
std::string Name(FuzzedDataProvider& input) {
  static const char* const kPieces[] = {"a", "A", "b", "c", "\x80", "?", ".", " ", "\xB1\xA8"};
  std::string name;
  const int length = input.ConsumeIntegralInRange(1, 3);
  for (int i = 0; i < length; ++i) name += kPieces[input.ConsumeIntegralInRange<size_t>(0, 8)];
  return name;
}

// A step at a time, as the Edit window's loop takes it; its rows show
// what the run reported, which must be the names on disk.
void Carry(exec::RenameRun& run, AnsweringWindow& window, const rules::ProgramState& state) {
  window.shown = state.CurrentNames;
  while (!run.Step(window, window, [] { return true; })) {
    if (window.Closes()) run.RequestStop();
  }
  if (window.shown != state.CurrentNames) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  FuzzedDataProvider input(bytes, size);
  testing_support::SimulatedFolder files;
  rules::ProgramState state;
  state.FolderPath = kFolder;
  const int entries = input.ConsumeIntegralInRange(0, 10);
  for (int i = 0; i < entries; ++i) {
    const std::string name = Name(input);
    const auto key = testing_support::SimulatedNameKey(name);
    if (!key || !exec::IsPlainFileName(*key) || files.Find(kFolder + name)) continue;
    files.files[kFolder + name] = "file " + std::to_string(i);
    if (input.ConsumeBool()) files.locked.insert(kFolder + name);
    if (input.ConsumeBool()) continue;  // not picked
    state.CurrentNames.push_back(name);
    state.NewNames.push_back(Name(input));
  }
  const auto before = files.files;
  AnsweringWindow window(input);
  testing_support::MemoryJournals journals;
  exec::RenameRun batch = exec::RenameRun::Batch(state, files, journals);
  Carry(batch, window, state);
  if (Contents(files.files) != Contents(before) || Contents(files.files).size() != before.size()) std::abort();
  for (const auto& [path, text] : files.files) {
    if (path.find(".~") != std::string::npos && before.count(path) == 0) std::abort();
  }
  for (size_t row = 0; row < state.CurrentNames.size(); ++row) {
    if (files.files.at(kFolder + state.CurrentNames[row]) != before.at(kFolder + state.UndoNames[row])) {
      std::abort();  // CurrentNames no longer tells where the file is
    }
  }
  const bool restorable = files.locked.empty() && !window.stopped;
  if (std::optional<exec::RenameRun> undo = exec::RenameRun::Undo(state, files, journals, window)) {
    Carry(*undo, window, state);
  }
  if (Contents(files.files) != Contents(before)) std::abort();
  if (restorable && !window.stopped && files.files != before) std::abort();
  if (!journals.journals.empty()) std::abort();  // every run that ends takes its journal away
  return 0;
}
