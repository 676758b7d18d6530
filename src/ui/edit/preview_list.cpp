#include "ui/edit/preview_list.h"

#include <string>

#include "platform/gbk_convert.h"

namespace ui::edit {
namespace {

constexpr int kColumnWidth = 190;

void AddColumn(HWND list, int index, const char* caption) {
  const std::wstring text = platform::ToWide(caption);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.cx = kColumnWidth;
  column.pszText = const_cast<wchar_t*>(text.c_str());
  column.iSubItem = index;
  ListView_InsertColumn(list, index, &column);
}

}  // namespace

void PreviewList::Attach(HWND list, const rules::ProgramState& state) {
  list_ = list;
  state_ = &state;
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  AddColumn(list, 0, "旧文件名（当前名称）");
  AddColumn(list, 1, "新文件名");
  ListView_SetItemCountEx(list, state.CurrentNames.size(), LVSICF_NOINVALIDATEALL);
}

void PreviewList::ShowNewNames() {
  newNamesShown_ = true;
  newNameCleared_.assign(state_->CurrentNames.size(), false);
  Refresh();
}

// Only a row on screen needs repainting: the others ask for their cells
// when they are scrolled into view. (Invalidating costs more than asking.)
void PreviewList::RedrawIfShown(size_t row) {
  const auto top = static_cast<size_t>(ListView_GetTopIndex(list_));
  const auto page = static_cast<size_t>(ListView_GetCountPerPage(list_));
  if (row < top || row > top + page) return;
  ListView_RedrawItems(list_, static_cast<int>(row), static_cast<int>(row));
}

void PreviewList::RefreshOldName(size_t row) { RedrawIfShown(row); }

void PreviewList::ClearNewName(size_t row) {
  if (row < newNameCleared_.size()) newNameCleared_[row] = true;
  RedrawIfShown(row);
}

void PreviewList::Refresh() { InvalidateRect(list_, nullptr, FALSE); }

bool PreviewList::OnNotify(NMHDR& notification) {
  if (notification.hwndFrom != list_ || notification.code != LVN_GETDISPINFOW) return false;
  LVITEMW& item = reinterpret_cast<NMLVDISPINFOW&>(notification).item;
  if (!(item.mask & LVIF_TEXT) || item.cchTextMax <= 0) return true;
  const auto row = static_cast<size_t>(item.iItem);
  const rules::NameList& names = item.iSubItem == 0 ? state_->CurrentNames : state_->NewNames;
  const bool shown = item.iSubItem == 0 ||
                     (newNamesShown_ && !(row < newNameCleared_.size() && newNameCleared_[row]));
  const std::wstring text =
      shown && row < names.size() ? platform::ToWide(names[row]) : std::wstring();
  lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
  return true;
}

}  // namespace ui::edit
