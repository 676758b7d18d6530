// At the start of the program: runs that a crash, a kill, a power cut or
// the end of the session cut short are offered back, one journal at a time.
#pragma once

#include <functional>

#include "exec/rename_ports.h"
#include "exec/rename_run.h"
#include "exec/run_contract.h"
#include "exec/run_journal.h"

namespace exec {

// For each journal left: asks whether to give the run's own files their
// names from before the batch (undoing a batch, completing an undo or a
// restore), and if so puts them back as an undo does (its failure prompt,
// its closing message), handing the run to `carry` to be carried out to
// its end (its questions to the user go to `prompts` as the offer's do);
// files under those names that are not the run's are left alone. On No, a
// file under a name of the run's own goes back to its name first. A
// journal whose folder cannot be reached is kept if the user says so; one
// that can't be read, or whose files are all gone or replaced, is set
// aside with a message; any other is never offered again.
void PutBackLeftRuns(JournalStore& journals, FileOperations& files, Prompts& prompts,
                     const std::function<void(RenameRun&)>& carry);

}  // namespace exec
