// The file box: every file of one folder, sorted as a sorted list box sorts
// them, with multiple selection kept as a list of the picked names (and as
// a ";"-joined selection text, which says whether any is picked).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/name_keys.h"
#include "platform/window_helpers.h"
#include "platform/window_layout.h"

namespace ui {

class FileBox {
 public:
  FileBox() = default;
  FileBox(const FileBox&) = delete;
  FileBox& operator=(const FileBox&) = delete;

  // The list box's font belongs to the layout of the window it is in.
  void Create(platform::WindowLayout& layout, HWND parent, int id, const platform::Rect& place);
  // Stores the folder text and lists that folder afresh; files whose names
  // were selected before (letter case ignored) are selected again. An empty
  // text means the process's current folder.
  void SetFolder(std::string_view folderText);
  const std::string& FolderText() const { return folderText_; }
  // The selected names in list order, joined by ";"; empty when none.
  const std::string& SelectionText() const { return selectionText_; }
  // The selected names in list order, each exactly as it is on disk.
  const std::vector<std::string>& SelectedNames() const { return selectedNames_; }
  // Selects exactly the files named (letter case ignored), and no other.
  void SelectExactly(const std::vector<std::string>& names) { FillList(names); }
  // On LBN_SELCHANGE: rebuilds the selection.
  void OnSelectionChanged();
  // Ctrl+A pressed in the box selects every file, as a click would. True
  // when `message` was that key.
  bool SelectAllOnCtrlA(const MSG& message);
  // The listed names, in list order.
  const std::vector<std::string>& Names() const { return names_; }
  HWND handle() const { return handle_; }

 private:
  void FillList(const std::vector<std::string>& reselect);

  HWND handle_ = nullptr;
  std::string folderText_;
  std::string selectionText_;
  std::vector<std::string> selectedNames_;
  std::vector<std::string> names_;
  platform::NameKeys keys_;
};

}  // namespace ui
