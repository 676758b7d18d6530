// The state the rename workflow shares between the Main window, the Edit
// window and the rename steps.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rules {

using NameList = std::vector<std::string>;

// Cuts a selection text at each ";" (a double-byte character is one unit):
// every ";" ends one name, even an empty one; a non-empty rest is one more.
NameList CutAtSemicolons(std::string_view selection);

struct ProgramState {
  std::string FolderPath;  // always ends in a path separator once filled
  NameList CurrentNames;
  NameList NewNames;
  NameList UndoNames;
  // The rows in the order Undo takes them: the last batch's order reversed.
  std::vector<size_t> UndoOrder;

  // Replaces all four with a folder and three separate lists cut from the
  // selection text.
  void FillFromSelection(std::string_view folderText, std::string_view selectionText);
  void Release();
};

}  // namespace rules
