#include "rules/program_state.h"

#include "rules/gbk_text.h"

namespace rules {

NameList CutAtSemicolons(std::string_view selection) {
  NameList names;
  size_t nameStart = 0;
  for (size_t i = 0; i < selection.size(); ++i) {
    if (IsLeadByte(selection[i])) {
      ++i;
    } else if (selection[i] == ';') {
      names.emplace_back(selection.substr(nameStart, i - nameStart));
      nameStart = i + 1;
    }
  }
  if (nameStart < selection.size()) names.emplace_back(selection.substr(nameStart));
  return names;
}

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
}

}  // namespace rules
