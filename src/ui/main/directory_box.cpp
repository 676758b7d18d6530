#include "ui/main/directory_box.h"

#include <shellapi.h>

#include <vector>

#include "platform/controls.h"
#include "platform/file_system.h"
#include "platform/gbk_convert.h"
#include "rules/gbk_text.h"
#include "ui/main/box_colour.h"
#include "platform/list_order.h"

namespace ui {
namespace {

// The small closed and open folder pictures of the system image list.
void UseSystemFolderIcons(HWND tree) {
  SHFILEINFOW info{};
  auto images = reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(
      L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof(info),
      SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  if (images) TreeView_SetImageList(tree, images, TVSIL_NORMAL);
}

int FolderIcon(bool open) {
  SHFILEINFOW info{};
  UINT flags = SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON;
  if (open) flags |= SHGFI_OPENICON;
  SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof(info), flags);
  return info.iIcon;
}

// The pieces of a folder path that become the tree's items: the root (a
// drive such as C:, or \\server\share), then each folder under it.
std::vector<std::string> ChainPieces(std::string_view path) {
  std::string_view rest = path;
  std::vector<std::string> pieces;
  if (path.size() > 2 && path[0] == '\\' && path[1] == '\\') {
    size_t end = path.find('\\', 2);
    if (end != std::string_view::npos) end = path.find('\\', end + 1);
    if (end == std::string_view::npos) end = path.size();
    pieces.emplace_back(path.substr(0, end));
    rest = path.substr(end);
  }
  for (std::string& piece : rules::CutAt(rest, '\\')) {
    if (!piece.empty()) pieces.push_back(std::move(piece));
  }
  return pieces;
}

}  // namespace

// Each item keeps the index of its name, which is held here exactly.
HTREEITEM DirectoryBox::AddItem(HTREEITEM parent, const std::string& name, bool open) {
  const std::wstring wide = platform::ToWide(name);
  TVINSERTSTRUCTW insert{};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  insert.item.pszText = const_cast<wchar_t*>(wide.c_str());
  insert.item.iImage = FolderIcon(open);
  insert.item.iSelectedImage = FolderIcon(true);
  insert.item.lParam = static_cast<LPARAM>(itemNames_.size());
  itemNames_.push_back(name);
  return TreeView_InsertItem(handle_, &insert);
}

const std::string& DirectoryBox::ItemName(HTREEITEM item) const {
  TVITEMW data{};
  data.mask = TVIF_PARAM;
  data.hItem = item;
  TreeView_GetItem(handle_, &data);
  return itemNames_.at(static_cast<size_t>(data.lParam));
}

void DirectoryBox::Create(platform::WindowLayout& layout, HWND parent, int id, const platform::Rect& place) {
  handle_ = layout.CreateChild(
      WC_TREEVIEWW, "",
      TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_TABSTOP, place,
      parent, id, WS_EX_CLIENTEDGE);
  UseSystemFolderIcons(handle_);
}

void DirectoryBox::UseSystemColours(bool system) {
  constexpr auto kSystemColour = static_cast<COLORREF>(-1);  // what the tree takes by itself
  TreeView_SetBkColor(handle_, system ? kSystemColour : kBoxBackground);
}

void DirectoryBox::SetFolder(std::string_view path) {
  folderText_ = path.empty() ? platform::CurrentFolder() : std::string(path);
  ShowChain(folderText_);
}

void DirectoryBox::ShowChain(const std::string& chainPath) {
  requested_ = nullptr;
  platform::SetRedraw(handle_, false);
  TreeView_DeleteAllItems(handle_);
  itemNames_.clear();
  HTREEITEM parent = TVI_ROOT;
  HTREEITEM last = nullptr;
  for (const std::string& piece : ChainPieces(chainPath)) {
    last = AddItem(parent, piece, true);
    if (parent != TVI_ROOT) TreeView_Expand(handle_, parent, TVE_EXPAND);
    parent = last;
  }
  if (last) {
    std::vector<std::string> subfolders = platform::ListSubfolderNames(ChainTextOf(last) + "\\");
    platform::SortLikeListBox(subfolders);
    for (const std::string& name : subfolders) AddItem(last, name, false);
    TreeView_Expand(handle_, last, TVE_EXPAND);
    TreeView_SelectItem(handle_, last);
  }
  platform::SetRedraw(handle_, true);
  InvalidateRect(handle_, nullptr, TRUE);
}

std::string DirectoryBox::ChainTextOf(HTREEITEM item) const {
  std::string text = ItemName(item);
  for (HTREEITEM up = TreeView_GetParent(handle_, item); up; up = TreeView_GetParent(handle_, up)) {
    text = ItemName(up) + "\\" + text;
  }
  return text;
}

bool DirectoryBox::RequestOpen(HTREEITEM item) {
  if (!item) return false;
  requested_ = item;
  PostMessageW(GetParent(handle_), kOpenFolderMessage, 0, 0);
  return true;
}

bool DirectoryBox::OpenRequestedFolder() {
  HTREEITEM item = requested_;
  requested_ = nullptr;
  if (!item) return false;
  folderText_ = ChainTextOf(item);
  ShowChain(folderText_);
  return true;
}

bool DirectoryBox::OnNotify(const NMHDR& notification) {
  if (notification.hwndFrom != handle_) return false;
  switch (notification.code) {
    case NM_DBLCLK: {
      TVHITTESTINFO hit{};
      GetCursorPos(&hit.pt);
      ScreenToClient(handle_, &hit.pt);
      HTREEITEM item = TreeView_HitTest(handle_, &hit);
      return (hit.flags & TVHT_ONITEM) && RequestOpen(item);
    }
    case NM_RETURN:
      return RequestOpen(TreeView_GetSelection(handle_));
    default:
      return false;
  }
}

}  // namespace ui
