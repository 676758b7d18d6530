#include "exec/edit_session.h"

namespace exec {

// A transition that the stage does not allow leaves it as it is: the
// window never offers one (its buttons follow the stage).
void EditSession::Previewed() {
  if (stage_ != Stage::Running) stage_ = Stage::Previewed;
}

void EditSession::RunStarted() {
  if (stage_ != Stage::Previewed && stage_ != Stage::UndoAvailable) return;
  beforeRun_ = stage_;
  stage_ = Stage::Running;
}

void EditSession::RunEnded(const RunOutcome& outcome) {
  if (stage_ != Stage::Running) return;
  if (outcome.declined) {
    stage_ = beforeRun_;
  } else {
    stage_ = outcome.undoable ? Stage::UndoAvailable : Stage::Opened;
  }
}

void EditSession::OrderChanged() {
  if (stage_ == Stage::Previewed) stage_ = Stage::Opened;
}

}  // namespace exec
