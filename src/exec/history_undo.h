// The undo of a run kept in the rename history, days later if need be.
#pragma once

#include "exec/rename_run.h"
#include "exec/run_history.h"

namespace exec {

// Sets `state` up for the undo of `entry` and returns that run: each of
// its files goes from its name after back to its name before, the last
// renamed first, through a plan as every run (chains and cycles), under a
// journal of its own. A file that is no longer under its name after, or is
// not that file any more, is left alone without a prompt and counted in the
// closing message; a name before that is taken now fails with Undo's
// prompt. `state` must outlive the run.
RenameRun UndoEntry(const HistoryEntry& entry, rules::ProgramState& state, FileOperations& files,
                    JournalStore& journals);

}  // namespace exec
