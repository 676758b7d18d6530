#include "exec/history_undo.h"

namespace exec {

RenameRun UndoEntry(const HistoryEntry& entry, rules::ProgramState& state, FileOperations& files,
                    JournalStore& journals) {
  state.FolderPath = entry.folder;
  state.CurrentNames.clear();
  state.UndoNames.clear();
  state.UndoOrder.clear();
  ExpectedFiles expected{{}, entry.volume};
  for (const HistoryEntry::Row& row : entry.rows) {
    state.CurrentNames.push_back(row.after);
    state.UndoNames.push_back(row.before);
    expected.rows.push_back(row.identity);
  }
  state.NewNames = state.CurrentNames;
  for (size_t row = entry.rows.size(); row-- > 0;) state.UndoOrder.push_back(row);
  return RenameRun::UndoKept(state, files, journals, std::move(expected));
}

}  // namespace exec
