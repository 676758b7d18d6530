// The Edit window as batch rename and undo see it, recorded: prompts,
// cells, progress and what the run asked of it at its end; questions
// answered from a script.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "exec/rename_ports.h"
#include "exec/rename_run.h"
#include "exec/run_contract.h"
#include "memory_journals.h"

namespace testing_support {

class RecordingWindow final : public exec::Prompts, public exec::RunObserver {
 public:
  std::deque<bool> answers;
  std::optional<bool> answerToAll;  // instead of `answers`
  std::vector<std::string> prompts;  // "title|text"
  std::vector<std::string> oldCells, newCells;
  std::vector<uint32_t> positions;
  uint32_t maximum = 0;
  bool closeRequested = false, folderOpened = false;

  bool AskYesNo(const std::string& text, const std::string& title) override {
    prompts.push_back(title + "|" + text);
    if (answerToAll) return *answerToAll;
    if (answers.empty()) {
      ADD_FAILURE() << "unexpected question " << text;
      return false;
    }
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void Tell(const std::string& text, const std::string& title) override {
    prompts.push_back(title + "|" + text + "|OK");
  }
  void Renamed(size_t row, const std::string& name) override { if (row < oldCells.size()) oldCells[row] = name; }
  void NewNameUsed(size_t row) override { if (row < newCells.size()) newCells[row].clear(); }
  void Progress(size_t done, size_t total) override {
    maximum = static_cast<uint32_t>(total);
    positions.push_back(static_cast<uint32_t>(done));
  }
};

// Carries a run out a step at a time, as the Edit window's loop does, and
// asks it to stop once `stopAfter` rows have been handled (0: never).
// Notes in `window` whether a No asked for the window to close and
// whether the folder is to be opened.
inline exec::RunOutcome RunToEnd(exec::RenameRun& run, RecordingWindow& window, size_t stopAfter = 0) {
  std::optional<exec::RunOutcome> outcome;
  while (!(outcome = run.Step(window, window, [] { return true; }))) {
    if (stopAfter > 0 && run.Handled() >= stopAfter) run.RequestStop();
  }
  window.closeRequested = outcome->close;
  window.folderOpened = window.folderOpened || outcome->openFolder;
  return *outcome;
}

// The journals of the runs of the helpers below, which every run ends.
inline MemoryJournals& HelperJournals() {
  static MemoryJournals journals;
  return journals;
}

inline void BatchRename(rules::ProgramState& state, exec::FileOperations& files, RecordingWindow& window,
                        size_t stopAfter = 0) {
  exec::RenameRun run = exec::RenameRun::Batch(state, files, HelperJournals());
  RunToEnd(run, window, stopAfter);
}

inline void UndoLastBatch(rules::ProgramState& state, exec::FileOperations& files,
                          RecordingWindow& window, size_t stopAfter = 0) {
  if (std::optional<exec::RenameRun> run = exec::RenameRun::Undo(state, files, HelperJournals(), window)) {
    RunToEnd(*run, window, stopAfter);
  }
}

}  // namespace testing_support
