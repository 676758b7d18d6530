// Batch rename and undo of the last batch: every picked file renamed on
// disk in an order that works, with a prompt on every failure.
#pragma once

#include "exec/rename_plan.h"
#include "exec/rename_ports.h"
#include "rules/program_state.h"

namespace exec {

// The plan of a batch that would start now: CurrentNames to NewNames in
// the folder as it is on disk.
RenamePlan PlanBatch(const rules::ProgramState& state, FileOperations& files);

// Renames FolderPath + CurrentNames[i] to FolderPath + NewNames[i] for every
// file, after keeping a copy of CurrentNames in UndoNames. Rows go in list
// order, except that a row waits for the file holding its new name to move
// away, and a cycle of such rows goes through a temporary name.
void BatchRename(rules::ProgramState& state, FileOperations& files, RenameWindow& window);

// Renames every file back to its UndoNames entry, after asking, in the
// reverse of the order in which the batch renamed them.
void UndoLastBatch(rules::ProgramState& state, FileOperations& files, RenameWindow& window);

}  // namespace exec
