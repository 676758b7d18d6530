#include "ui/edit/preview_list.h"

#include <windowsx.h>

#include <algorithm>
#include <string>

#include "exec/mark_reason.h"
#include "platform/controls.h"
#include "platform/gbk_convert.h"
#include "platform/window_layout.h"
#include "ui/controls/system_colours.h"

namespace ui::edit {
namespace {

constexpr int kColumnWidth = 190;
constexpr int kNewNameColumn = 1;
constexpr int kMarkImage = 0;
constexpr int kNoImage = -1;
constexpr COLORREF kWarningColour = RGB(200, 0, 0);
constexpr int kIconSize = 16;
constexpr int kGap = 3;

constexpr int kTipWidth = 400;

void AddColumn(HWND list, int index, const char* caption, const platform::Scale& scale) {
  const std::wstring text = platform::ToWide(caption);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.cx = scale(kColumnWidth);
  column.pszText = const_cast<wchar_t*>(text.c_str());
  column.iSubItem = index;
  ListView_InsertColumn(list, index, &column);
}

}  // namespace

void PreviewList::Attach(HWND list, const rules::ProgramState& state) {
  list_ = list;
  state_ = &state;
  // Sub-item pictures: the new-name column answers which picture it has
  // (the mark), which screen readers read; the list draws none itself.
  ListView_SetExtendedListViewStyle(list,
                                    LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES);
  TakeSystemColours();  // those of now, not those the common controls read at their start
  const platform::Scale scale = platform::ScaleOf(list);
  AddColumn(list, 0, "旧文件名（当前名称）", scale);
  AddColumn(list, 1, "新文件名", scale);
  ListView_SetItemCountEx(list, state.CurrentNames.size(), LVSICF_NOINVALIDATEALL);

  const HWND window = GetParent(list);
  tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window,
                         nullptr, nullptr, nullptr);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = window;
  tool.uId = reinterpret_cast<UINT_PTR>(list);
  tool.lpszText = LPSTR_TEXTCALLBACKW;
  platform::ToolTip(tip_).AddTool(tool);
  platform::ToolTip(tip_).SetMaxWidth(scale(kTipWidth));
}

void PreviewList::Rescale(const platform::Scale& from, const platform::Scale& to) {
  if (!list_ || from == to) return;
  for (int column = 0; column <= kNewNameColumn; ++column) {
    ListView_SetColumnWidth(list_, column, MulDiv(ListView_GetColumnWidth(list_, column), to.dpi, from.dpi));
  }
  platform::ToolTip(tip_).SetMaxWidth(to(kTipWidth));
}

// The system's warning picture at `size`, loaded again when the size changes.
HICON PreviewList::WarningIcon(int size) const {
  if (!warning_ || warningSize_ != size) {
    warning_.Reset(static_cast<HICON>(LoadImageW(nullptr, IDI_WARNING, IMAGE_ICON, size, size, 0)));
    warningSize_ = size;
  }
  return warning_.get();
}

void PreviewList::ShowNewNames(exec::RenamePlan plan) {
  newNamesShown_ = true;
  newNameCleared_.assign(state_->CurrentNames.size(), false);
  plan_ = std::move(plan);
  // Only the verdicts are drawn: the rest goes, its memory too.
  plan_.steps = std::vector<exec::RenameStep>();
  plan_.parkingNames = std::vector<std::string>();
  plan_.identities = std::vector<exec::FileIdentity>();
  Refresh();
}

void PreviewList::NoteVisibleRows() {
  topRow_ = static_cast<size_t>(ListView_GetTopIndex(list_));
  rowsPerPage_ = static_cast<size_t>(ListView_GetCountPerPage(list_));
}

// Only a row on screen needs repainting: the others ask for their cells
// when they are scrolled into view. (Invalidating costs more than asking.)
void PreviewList::RedrawIfShown(size_t row) {
  if (row < topRow_ || row > topRow_ + rowsPerPage_) return;
  ListView_RedrawItems(list_, static_cast<int>(row), static_cast<int>(row));
}

void PreviewList::RefreshOldName(size_t row) { RedrawIfShown(row); }

void PreviewList::ClearNewName(size_t row) {
  if (row < newNameCleared_.size()) newNameCleared_[row] = true;
  RedrawIfShown(row);
}

void PreviewList::Refresh() { InvalidateRect(list_, nullptr, FALSE); }

void PreviewList::TakeBackNewNames() {
  newNamesShown_ = false;
  newNameCleared_.clear();
  plan_ = exec::RenamePlan();
  Refresh();
}

std::vector<size_t> PreviewList::SelectedRows() const {
  std::vector<size_t> rows;
  for (int row = ListView_GetNextItem(list_, -1, LVNI_SELECTED); row >= 0;
       row = ListView_GetNextItem(list_, row, LVNI_SELECTED)) {
    rows.push_back(static_cast<size_t>(row));
  }
  return rows;
}

void PreviewList::SelectRows(const std::vector<size_t>& rows) {
  ListView_SetItemState(list_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  for (size_t row : rows) ListView_SetItemState(list_, static_cast<int>(row), LVIS_SELECTED, LVIS_SELECTED);
  if (rows.empty()) return;
  const auto first = static_cast<int>(*std::min_element(rows.begin(), rows.end()));
  ListView_SetItemState(list_, first, LVIS_FOCUSED, LVIS_FOCUSED);
  ListView_EnsureVisible(list_, first, FALSE);
}

void PreviewList::ShowSortArrow(int column, bool ascending) {
  HWND header = ListView_GetHeader(list_);
  for (int index = 0; index <= kNewNameColumn; ++index) {
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    Header_GetItem(header, index, &item);
    item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
    if (index == column) item.fmt |= ascending ? HDF_SORTUP : HDF_SORTDOWN;
    Header_SetItem(header, index, &item);
  }
}

void PreviewList::TakeSystemColours() { ui::TakeSystemColours(list_); }

bool PreviewList::IsMarked(size_t row) const {
  return newNamesShown_ && row < plan_.verdicts.size() && exec::IsMarked(plan_.verdicts[row]) &&
         !(row < newNameCleared_.size() && newNameCleared_[row]);
}

std::string PreviewList::MarkReason(size_t row) const {
  return IsMarked(row) ? exec::MarkReason(plan_, row, state_->CurrentNames) : std::string();
}

void PreviewList::FillCell(LVITEMW& item) const {
  const auto row = static_cast<size_t>(item.iItem);
  if (item.mask & LVIF_IMAGE) {
    item.iImage = item.iSubItem == kNewNameColumn && IsMarked(row) ? kMarkImage : kNoImage;
  }
  if (!(item.mask & LVIF_TEXT) || item.cchTextMax <= 0) return;
  const rules::NameList& names = item.iSubItem == 0 ? state_->CurrentNames : state_->NewNames;
  const bool shown = item.iSubItem == 0 ||
                     (newNamesShown_ && !(row < newNameCleared_.size() && newNameCleared_[row]));
  const std::wstring text =
      shown && row < names.size() ? platform::ToWide(names[row]) : std::wstring();
  lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
}

// A marked new-name cell is drawn here: picture, then the name in the
// warning colour; every other cell as the list draws it.
LRESULT PreviewList::OnCustomDraw(NMLVCUSTOMDRAW& draw) const {
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
      return IsMarked(draw.nmcd.dwItemSpec) ? CDRF_NOTIFYSUBITEMDRAW : CDRF_DODEFAULT;
    case CDDS_SUBITEM | CDDS_ITEMPREPAINT:
      if (draw.iSubItem != kNewNameColumn) return CDRF_DODEFAULT;
      DrawMarkedCell(draw.nmcd.hdc, draw.nmcd.dwItemSpec);
      return CDRF_SKIPDEFAULT;
    default:
      return CDRF_DODEFAULT;
  }
}

void PreviewList::DrawMarkedCell(HDC dc, size_t row) const {
  RECT cell{};
  if (!ListView_GetSubItemRect(list_, static_cast<int>(row), kNewNameColumn, LVIR_LABEL, &cell)) return;
  const bool selected = ListView_GetItemState(list_, static_cast<int>(row), LVIS_SELECTED) != 0;
  FillRect(dc, &cell, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const platform::Scale scale = platform::ScaleOf(list_);
  const int iconSize = scale(kIconSize), gap = scale(kGap);
  const int iconTop = cell.top + (cell.bottom - cell.top - iconSize) / 2;
  DrawIconEx(dc, cell.left + gap, iconTop, WarningIcon(iconSize), iconSize, iconSize, 0, nullptr, DI_NORMAL);
  RECT text = cell;
  text.left += gap + iconSize + gap;
  const std::wstring name = row < state_->NewNames.size() ? platform::ToWide(state_->NewNames[row]) : L"";
  SetBkMode(dc, TRANSPARENT);
  const bool system = DrawsInSystemColours(list_);  // high contrast: the picture alone marks it
  SetTextColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                            : system ? GetSysColor(COLOR_WINDOWTEXT) : kWarningColour);
  DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX | DT_LEFT);
}

void PreviewList::FillTip(NMTTDISPINFOW& tip) {
  tipText_ = rowUnderPointer_ >= 0 ? platform::ToWide(MarkReason(static_cast<size_t>(rowUnderPointer_)))
                                   : std::wstring();
  tip.lpszText = tipText_.data();
  tip.hinst = nullptr;
}

// The tip follows the row under the pointer: leaving a row takes its tip
// down, and resting on the next asks for the new text. (Relayed from the
// message loop: a subclassed list would cost a property lookup on every
// message, thousands of them in a batch.)
void PreviewList::RelayPointer(const MSG& message) {
  if (message.hwnd != list_ || !tip_ || message.message < WM_MOUSEFIRST ||
      message.message > WM_MOUSELAST) {
    return;
  }
  platform::ToolTip(tip_).Relay(message);
  if (message.message != WM_MOUSEMOVE) return;
  LVHITTESTINFO hit{};
  hit.pt = {GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
  const int row = ListView_HitTest(list_, &hit);
  if (row == rowUnderPointer_) return;
  rowUnderPointer_ = row;
  platform::ToolTip(tip_).Hide();
}

std::optional<LRESULT> PreviewList::OnNotify(NMHDR& notification) {
  if (notification.hwndFrom == tip_ && notification.code == TTN_GETDISPINFOW) {
    FillTip(reinterpret_cast<NMTTDISPINFOW&>(notification));
    return 0;
  }
  if (notification.hwndFrom != list_) return std::nullopt;
  switch (notification.code) {
    case LVN_GETDISPINFOW:
      FillCell(reinterpret_cast<NMLVDISPINFOW&>(notification).item);
      return 0;
    case NM_CUSTOMDRAW:
      return OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW&>(notification));
    default:
      return std::nullopt;
  }
}

}  // namespace ui::edit
