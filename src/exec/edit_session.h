// What one opening of the Edit window has come to, and what that allows:
// which of Batch rename and Undo can be clicked, whether Preview asks
// before it gives up the Undo, and what a close does. The window only
// shows it.
#pragma once

#include "exec/run_contract.h"

namespace exec {

class EditSession {
 public:
  enum class Stage {
    Opened,         // nothing previewed, or the last batch undone
    Previewed,      // new names shown: a batch can start
    UndoAvailable,  // a batch has run: it can be undone once
    Running,        // a batch or an undo is under way
  };

  Stage stage() const { return stage_; }
  bool BatchRenameEnabled() const { return stage_ == Stage::Previewed; }
  bool UndoEnabled() const { return stage_ == Stage::UndoAvailable; }
  // Preview gives up an Undo only after asking.
  bool PreviewAsksFirst() const { return stage_ == Stage::UndoAvailable; }
  // A close while a run goes on asks it to stop; the window closes once
  // the run has ended.
  bool CloseWaitsForTheRun() const { return stage_ == Stage::Running; }

  void Previewed();
  void RunStarted();
  // A batch can be undone once; after an undo, Preview comes first; a run
  // that changed nothing (the user would not go on without its journal)
  // goes back to the stage before it.
  void RunEnded(const RunOutcome& outcome);
  // The rows were put in another order: a preview made before no longer
  // stands (an Undo does: it goes by the rows' files).
  void OrderChanged();

 private:
  Stage stage_ = Stage::Opened;
  Stage beforeRun_ = Stage::Opened;
};

}  // namespace exec
