// At the start of the program: runs that a crash, a kill, a power cut or
// the end of the session cut short are offered back, one journal at a time.
#pragma once

#include <functional>

#include "exec/rename_ports.h"
#include "exec/rename_run.h"
#include "exec/run_journal.h"

namespace exec {

// For each journal left: asks whether to give the files of its folder
// their names from before that run, and if so puts them back as an undo
// does (its order, its failure prompt, its closing message), handing the
// run to `carry` to be carried out to its end. Either way the journal is
// never offered again; one that can't be read, or whose folder has none of
// its files, is set aside with a message.
void PutBackLeftRuns(JournalStore& journals, FileOperations& files, RenameWindow& window,
                     const std::function<void(RenameRun&)>& carry);

}  // namespace exec
