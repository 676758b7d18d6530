// Batch rename and undo of the last batch: every picked file renamed on
// disk in list order, with a prompt on every failure.
#pragma once

#include "exec/rename_ports.h"
#include "rules/program_state.h"

namespace exec {

// Renames FolderPath + CurrentNames[i] to FolderPath + NewNames[i] for every
// file, after keeping a copy of CurrentNames in UndoNames.
void BatchRename(rules::ProgramState& state, FileOperations& files, RenameWindow& window);

// Renames every file back to its UndoNames entry, after asking.
void UndoLastBatch(rules::ProgramState& state, FileOperations& files, RenameWindow& window);

}  // namespace exec
