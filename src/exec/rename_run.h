// Batch rename and undo of the last batch, as one object that carries out
// its plan a step at a time: whoever drives it (the Edit window's own
// loop, the start-up, a test) takes one slice after another, and input and
// painting come in between. Every picked file is renamed in an order that
// works, with a prompt on every failure. The run holds the lists it works
// on and the file and journal ports, all of which outlive it; the user's
// prompts and whoever watches are handed to each step (run_contract.h).
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "exec/rename_plan.h"
#include "exec/rename_ports.h"
#include "exec/run_contract.h"
#include "exec/run_journal.h"
#include "rules/program_state.h"

namespace exec {

// The plan of a batch that would start now: CurrentNames to NewNames in
// the folder as it is on disk.
RenamePlan PlanBatch(const rules::ProgramState& state, FileOperations& files);

// A file left under a name of the program's own: the user hears where.
void TellStranded(Prompts& prompts, const std::string& originalName, const std::string& name);

class RenameRun {
 public:
  enum class Kind { Batch, Undo };
  // How a run is asked to stop: as the user closing the Edit window (the
  // steps after the loop, prompts and all), or for the end of the program
  // (a parked file goes back, nothing is asked, and the journal stays for
  // the next start).
  enum class Stop { Close, ForTheEnd };

  // A batch about to rename FolderPath + CurrentNames[i] to FolderPath +
  // NewNames[i]. Its first step plans the folder as it is then and writes
  // the journal; only then is a copy of CurrentNames kept in UndoNames and
  // the progress reported. Rows go in list order, except that a
  // row waits for the file holding its new name to move away, and a cycle
  // of such rows goes through a temporary name. Every run writes its
  // journal to `journals` before its first rename; when it cannot, the
  // user is asked first, and No ends the run having changed nothing.
  static RenameRun Batch(rules::ProgramState& state, FileOperations& files, JournalStore& journals);
  // An undo, after its question: every file back to its UndoNames entry, in
  // the reverse of the order the batch took. Nothing when the answer is No.
  static std::optional<RenameRun> Undo(rules::ProgramState& state, FileOperations& files,
                                       JournalStore& journals, Prompts& prompts);
  // The putting back of a run cut short, as an undo without its question:
  // `state` holds where the files are (CurrentNames), the names they get
  // back (UndoNames) and the order (UndoOrder). A row whose file is not
  // the one `expected` names is left alone, without a prompt.
  static RenameRun Restore(rules::ProgramState& state, FileOperations& files, JournalStore& journals,
                           std::optional<ExpectedFiles> expected);
  // The undo of a run kept in the history, set up as Restore sets one up
  // (its question asked already): journaled as an undo, and its closing
  // message counts the files left alone.
  static RenameRun UndoKept(rules::ProgramState& state, FileOperations& files, JournalStore& journals,
                            ExpectedFiles expected);

  RenameRun(RenameRun&&) = default;
  RenameRun& operator=(RenameRun&&) = delete;

  // Carries out steps, asking `enough` after each whether to return (at
  // least one is taken). The first step reads the folder and plans the
  // run, so that the click that starts it returns at once. When the plan
  // is done, a No was answered or a stop was asked for, the steps after the
  // loop follow. The outcome once the run has ended, CurrentNames holding
  // the names on disk at every moment. Questions go to `prompts`, reports
  // to `observer`, during this call only.
  std::optional<RunOutcome> Step(Prompts& prompts, RunObserver& observer, const std::function<bool()>& enough);
  // The same, with no one watching.
  std::optional<RunOutcome> Step(Prompts& prompts, const std::function<bool()>& enough);
  // The run ends after the step in hand, with its steps after the loop.
  void RequestStop(Stop how = Stop::Close) {
    stopRequested_ = true;
    if (how == Stop::ForTheEnd) forTheEnd_ = true;
  }

  Kind kind() const { return kind_; }
  bool Ended() const { return ended_; }
  // The journal was on disk before the first rename.
  bool Journaled() const { return journal_.Written(); }
  // How many rows have been handled so far.
  size_t Handled() const { return handled_.size(); }

 private:
  struct Parked {
    size_t row;
    std::string originalName;
    std::vector<std::pair<size_t, std::string>> movedSince;  // row, name before
  };

  RenameRun(Kind kind, JournalKind journalKind, rules::ProgramState& state, FileOperations& files,
            JournalStore& journals, std::vector<size_t> order);
  static RenameRun UndoRun(rules::ProgramState& state, FileOperations& files, JournalStore& journals);
  void TakeSteps(const std::function<bool()>& enough);
  // The first step: the plan, its journal, then the changes before the loop.
  // False when the user would not go on without a journal.
  bool Begin();
  bool Move(size_t row, const std::string& to);
  // A rename outside the plan, noted in the journal.
  bool MoveAside(size_t row, const std::string& to);
  void TellStranded(size_t row, const std::string& originalName, const std::string& name);
  void Park(size_t step, size_t row, const std::string& name);
  bool HandleRow(size_t step, size_t row);
  std::string FailurePrompt(size_t row);
  void BringBackParked();
  void Finish();
  std::string UndoDoneText() const;

  Kind kind_;
  JournalKind journalKind_;
  rules::ProgramState& state_;
  const rules::NameList& targets_;  // one of the state's lists that the run does not change
  FileOperations& files_;
  JournalStore& journals_;
  RunJournal journal_;
  std::vector<size_t> order_;        // the rows in the order to take them, until planned
  std::optional<ExpectedFiles> expected_;
  std::optional<RenamePlan> plan_;
  size_t next_ = 0;                  // the plan's next step
  std::vector<size_t> handled_;      // the rows in the order they were handled
  std::vector<bool> renamed_;        // the rows whose file is under another name now
  std::optional<Parked> parked_;
  bool stopRequested_ = false;
  bool forTheEnd_ = false;
  bool ended_ = false;
  RunOutcome outcome_;
  // Those of the step in hand.
  Prompts* prompts_ = nullptr;
  RunObserver* observer_ = nullptr;
};

}  // namespace exec
