#include "rules/program_state.h"

namespace rules {

void ProgramState::FillFromPicked(std::string_view folderText, const NameList& picked) {
  Release();
  FolderPath = folderText;
  CurrentNames = picked;
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
