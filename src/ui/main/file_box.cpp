#include "ui/main/file_box.h"

#include <unordered_set>

#include "platform/file_system.h"
#include "platform/gbk_convert.h"
#include "platform/window_layout.h"
#include "rules/gbk_text.h"
#include "platform/list_order.h"

namespace ui {
namespace {

}  // namespace

void FileBox::Create(platform::WindowLayout& layout, HWND parent, int id, const platform::Rect& place) {
  handle_ = layout.CreateChild(
      L"LISTBOX", "",
      LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
      place, parent, id, WS_EX_CLIENTEDGE);
  // 9 point, GB2312 character set, the face the system picks for it.
  const HFONT font = layout.Font({-12, L"", false, GB2312_CHARSET});
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void FileBox::SetFolder(std::string_view folderText) {
  folderText_ = folderText.empty() ? platform::CurrentFolder() : std::string(folderText);
  const std::string searched =
      rules::EndsWithCharacter(folderText_, '\\') ? folderText_ : folderText_ + "\\";
  const std::vector<std::string> noted = selectedNames_;

  std::vector<std::string> names = platform::ListFileNames(searched);
  platform::SortLikeListBox(names);
  names_ = std::move(names);
  FillList(noted);
}

void FileBox::FillList(const std::vector<std::string>& reselect) {
  // Letter case ignored as the file system ignores it.
  std::unordered_set<std::u16string> wanted;
  std::u16string key;
  for (const std::string& name : reselect) {
    if (keys_.FromGbk(name, key)) wanted.insert(key);
  }

  SendMessageW(handle_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(handle_, LB_RESETCONTENT, 0, 0);
  SendMessageW(handle_, LB_INITSTORAGE, names_.size(), names_.size() * 32);
  for (size_t i = 0; i < names_.size(); ++i) {
    const std::wstring wide = platform::ToWide(names_[i]);
    SendMessageW(handle_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    if (!wanted.empty() && keys_.FromGbk(names_[i], key) && wanted.count(key)) {
      SendMessageW(handle_, LB_SETSEL, TRUE, static_cast<LPARAM>(i));
    }
  }
  SendMessageW(handle_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(handle_, nullptr, TRUE);
  OnSelectionChanged();
}

bool FileBox::SelectAllOnCtrlA(const MSG& message) {
  if (message.hwnd != handle_ || message.message != WM_KEYDOWN || message.wParam != 'A' ||
      GetKeyState(VK_CONTROL) >= 0) {
    return false;
  }
  SendMessageW(handle_, LB_SETSEL, TRUE, -1);
  OnSelectionChanged();
  return true;
}

void FileBox::OnSelectionChanged() {
  const auto count = SendMessageW(handle_, LB_GETSELCOUNT, 0, 0);
  selectionText_.clear();
  selectedNames_.clear();
  if (count <= 0) return;
  std::vector<int> selected(static_cast<size_t>(count));
  SendMessageW(handle_, LB_GETSELITEMS, static_cast<WPARAM>(count),
               reinterpret_cast<LPARAM>(selected.data()));
  for (size_t i = 0; i < selected.size(); ++i) {
    if (i > 0) selectionText_ += ';';
    selectionText_ += names_[static_cast<size_t>(selected[i])];
    selectedNames_.push_back(names_[static_cast<size_t>(selected[i])]);
  }
}

}  // namespace ui
