#include "rules/program_state.h"

#include <utility>

namespace rules {

void ProgramState::FillFromPicked(std::string_view folderText, NameList picked) {
  Release();
  FolderPath = folderText;
  CurrentNames = std::move(picked);
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
