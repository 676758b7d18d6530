// The state the rename workflow shares between the Main window, the Edit
// window and the rename steps.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rules {

using NameList = std::vector<std::string>;

struct ProgramState {
  std::string FolderPath;  // always ends in a path separator once filled
  NameList CurrentNames;
  NameList NewNames;
  NameList UndoNames;
  // The rows in the order Undo takes them: the last batch's order reversed.
  std::vector<size_t> UndoOrder;

  // Replaces all four with a folder and three separate copies of the
  // picked names (the first of them is `picked` itself).
  void FillFromPicked(std::string_view folderText, NameList picked);
  void Release();
  // The rows in a new order: row k becomes what row `order`[k] was, in all
  // three lists at once, and UndoOrder follows its rows. `order` must be a
  // permutation of the rows.
  void Reorder(const std::vector<size_t>& order);
};

}  // namespace rules
