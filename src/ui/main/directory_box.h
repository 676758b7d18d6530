// The directory box: a folder tree showing the chain from the drive down to
// the current folder, with that folder's sub-folders under it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/window_helpers.h"
#include "platform/window_layout.h"

namespace ui {

inline constexpr UINT kOpenFolderMessage = WM_APP + 10;

class DirectoryBox {
 public:
  void Create(platform::WindowLayout& layout, HWND parent, int id, const platform::Rect& place);
  // The boxes' lilac, or the system's window colour (high contrast).
  void UseSystemColours(bool system);
  // Stores `path` as the folder text and shows its chain; an empty path
  // means the process's current folder.
  void SetFolder(std::string_view path);
  const std::string& FolderText() const { return folderText_; }

  // Handles the tree's notifications. A double click or Enter on a folder
  // asks for kOpenFolderMessage to be posted to the parent (the tree is
  // rebuilt outside its own notification); returns true when it took the
  // notification.
  bool OnNotify(const NMHDR& notification);
  // On kOpenFolderMessage: the asked-for folder becomes the current one.
  // Returns true when the folder changed.
  bool OpenRequestedFolder();

  HWND handle() const { return handle_; }

 private:
  void ShowChain(const std::string& chainPath);
  std::string ChainTextOf(HTREEITEM item) const;
  HTREEITEM AddItem(HTREEITEM parent, const std::string& name, bool open);
  const std::string& ItemName(HTREEITEM item) const;
  bool RequestOpen(HTREEITEM item);

  HWND handle_ = nullptr;
  HTREEITEM requested_ = nullptr;
  std::string folderText_;
  std::vector<std::string> itemNames_;  // by the items' lParam
};

}  // namespace ui
