#include "ui/main/file_box.h"

#include <unordered_set>

#include "platform/controls.h"
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
  const HFONT font = layout.Font({.height = -12, .face = L"", .charSet = GB2312_CHARSET});
  platform::SetFont(handle_, font);
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

  const platform::ListBox box(handle_);
  platform::SetRedraw(handle_, false);
  box.Clear();
  box.Reserve(names_.size(), names_.size() * 32);
  for (size_t i = 0; i < names_.size(); ++i) {
    box.Add(platform::ToWide(names_[i]));
    if (!wanted.empty() && keys_.FromGbk(names_[i], key) && wanted.count(key)) box.Select(static_cast<int>(i));
  }
  platform::SetRedraw(handle_, true);
  InvalidateRect(handle_, nullptr, TRUE);
  OnSelectionChanged();
}

bool FileBox::SelectAllOnCtrlA(const MSG& message) {
  if (message.hwnd != handle_ || message.message != WM_KEYDOWN || message.wParam != 'A' ||
      GetKeyState(VK_CONTROL) >= 0) {
    return false;
  }
  platform::ListBox(handle_).SelectAll();
  OnSelectionChanged();
  return true;
}

void FileBox::OnSelectionChanged() {
  const std::vector<int> selected = platform::ListBox(handle_).SelectedIndices();
  selectionText_.clear();
  selectedNames_.clear();
  for (size_t i = 0; i < selected.size(); ++i) {
    if (i > 0) selectionText_ += ';';
    selectionText_ += names_[static_cast<size_t>(selected[i])];
    selectedNames_.push_back(names_[static_cast<size_t>(selected[i])]);
  }
}

}  // namespace ui
