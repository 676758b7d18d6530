#include "rules/program_state.h"

#include "rules/gbk_text.h"

namespace rules {

NameList CutAtSemicolons(std::string_view selection) { return CutAt(selection, ';'); }

void ProgramState::FillFromSelection(std::string_view folderText, std::string_view selectionText) {
  Release();
  FolderPath = folderText;
  CurrentNames = CutAtSemicolons(selectionText);
  NewNames = CurrentNames;
  UndoNames = CurrentNames;
}

void ProgramState::Release() {
  FolderPath = std::string();
  CurrentNames = NameList();
  NewNames = NameList();
  UndoNames = NameList();
  UndoOrder = std::vector<size_t>();
}

}  // namespace rules
