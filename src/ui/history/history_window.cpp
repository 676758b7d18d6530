#include "ui/history/history_window.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>

#include "exec/history_undo.h"
#include "platform/desktop.h"
#include "platform/display_scale.h"
#include "platform/gbk_convert.h"
#include "platform/modal_loop.h"
#include "platform/window_helpers.h"
#include "ui/controls/system_colours.h"
#include "ui/desktop_prompts.h"

namespace ui {
namespace {

constexpr wchar_t kClassName[] = L"RntoolHistoryWindow";
constexpr char kTitle[] = "更名历史";
constexpr int kClientWidth = 640;
constexpr int kClientHeight = 480;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

constexpr char kUndoQuestion[] = "即将撤销所选的这次更名，是否继续？";
constexpr char kForgetAllQuestion[] = "即将删除全部更名历史，是否继续？";
constexpr char kWarningTitle[] = "警告：";
// Posted by ShowRows: the selected entry's row states are wanted.
constexpr UINT kRowStatesMessage = WM_APP + 40;

struct Column {
  const char* caption;
  int width;  // at 96 dpi
};
constexpr Column kEntryColumns[] = {{"时间", 120}, {"文件夹", 290}, {"操作", 80}, {"文件数", 60}, {"状态", 66}};
constexpr Column kRowColumns[] = {{"更名前", 260}, {"更名后", 260}, {"状态", 96}};

struct Place {
  HistoryControl id;
  const char* caption;
  platform::Rect place;
};
constexpr Place kButtons[] = {
    {kUndoEntryId, "撤销所选", {8, 440, 96, 32}},
    {kForgetEntryId, "删除所选", {112, 440, 96, 32}},
    {kForgetAllId, "清空历史", {216, 440, 96, 32}},
    {kCloseHistoryId, "关闭", {536, 440, 96, 32}},
};

const char* KindWords(exec::JournalKind kind) {
  switch (kind) {
    case exec::JournalKind::Batch: return "批量更名";
    case exec::JournalKind::Undo: return "撤销";
    case exec::JournalKind::Restore: return "恢复";
  }
  return "";
}

const char* StateWords(exec::RowState state) {
  switch (state) {
    case exec::RowState::AsLeft: return "";
    case exec::RowState::Undone: return "已撤销";
    case exec::RowState::Changed: return "已改动";
  }
  return "";
}

void AddColumns(HWND list, const Column* columns, size_t count, const platform::Scale& scale) {
  for (size_t index = 0; index < count; ++index) {
    const std::wstring text = platform::ToWide(columns[index].caption);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.cx = scale(columns[index].width);
    column.pszText = const_cast<wchar_t*>(text.c_str());
    column.iSubItem = static_cast<int>(index);
    ListView_InsertColumn(list, static_cast<int>(index), &column);
  }
}

void SetCell(HWND list, int row, int column, const std::string& text) {
  std::wstring wide = platform::ToWide(text);
  ListView_SetItemText(list, row, column, wide.data());
}

}  // namespace

HistoryWindow::~HistoryWindow() {
  if (handle_ && IsWindow(handle_)) DestroyWindow(handle_);
}

HWND HistoryWindow::Open(HWND owner) {
  auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
  platform::RegisterWindowClass(instance, kClassName, platform::ObjectWindowProc<HistoryWindow>,
                                GetSysColorBrush(COLOR_BTNFACE));
  CreateWindowExW(0, kClassName, platform::ToWide(kTitle).c_str(), kStyle, 0, 0, 0, 0, owner, nullptr,
                  instance, this);
  if (!handle_) return nullptr;
  const SIZE outer = platform::OuterSizeForClient(handle_, kClientWidth, kClientHeight);
  platform::CentreOverMonitorOf(handle_, owner, outer.cx, outer.cy);
  return handle_;
}

void HistoryWindow::RunModal(HWND owner) {
  if (handle_) platform::RunModalLoop(handle_, owner);
}

void HistoryWindow::OnCreate(HWND window) {
  const SIZE outer = platform::OuterSizeForClient(window, kClientWidth, kClientHeight);
  layout_.Attach(window, outer.cx, outer.cy);
  const DWORD listStyle = WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
  HWND entries = layout_.CreateChild(WC_LISTVIEWW, "", listStyle, {8, 8, 624, 200}, window, kEntriesListId);
  HWND rows = layout_.CreateChild(WC_LISTVIEWW, "", listStyle | LVS_OWNERDATA, {8, 216, 624, 216}, window,
                                  kRowsListId);
  for (HWND list : {entries, rows}) {
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    TakeSystemColours(list);
  }
  AddColumns(entries, kEntryColumns, std::size(kEntryColumns), layout_.scale());
  AddColumns(rows, kRowColumns, std::size(kRowColumns), layout_.scale());
  for (const Place& button : kButtons) {
    layout_.CreateChild(L"BUTTON", button.caption, WS_TABSTOP | BS_PUSHBUTTON, button.place, window, button.id);
  }
  Reload(0);
}

void HistoryWindow::Reload(int select) {
  selected_ = -1;
  states_.clear();
  ListView_SetItemCountEx(control(kRowsListId), 0, 0);
  HWND list = control(kEntriesListId);
  ListView_DeleteAllItems(list);
  entries_.clear();
  for (const std::string& name : ports_.history.Entries()) {
    const std::optional<std::string> text = ports_.history.ReadEntry(name);
    std::optional<exec::HistoryEntry> entry = text ? exec::ParseHistoryEntry(*text) : std::nullopt;
    if (!entry) {
      ports_.history.SetEntryAside(name);
      continue;
    }
    entries_.push_back({name, std::move(*entry)});
  }
  for (size_t index = 0; index < entries_.size(); ++index) {
    const exec::HistoryEntry& entry = entries_[index].entry;
    LVITEMW item{};
    item.iItem = static_cast<int>(index);
    ListView_InsertItem(list, &item);
    SetCell(list, item.iItem, 0, entry.time);
    SetCell(list, item.iItem, 1, entry.folder);
    SetCell(list, item.iItem, 2, KindWords(entry.kind));
    SetCell(list, item.iItem, 3, std::to_string(entry.rows.size()));
    SetCell(list, item.iItem, 4, entry.undone ? "已撤销" : "可撤销");
  }
  ShowButtons();
  Select(std::min(select, static_cast<int>(entries_.size()) - 1));
}

// The list tells of the new selection, and the rows follow it there.
void HistoryWindow::Select(int index) {
  if (index < 0) return;
  HWND list = control(kEntriesListId);
  ListView_SetItemState(list, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_EnsureVisible(list, index, FALSE);
  if (SelectedIndex() != selected_) ShowRows();
}

int HistoryWindow::SelectedIndex() const {
  return ListView_GetNextItem(control(kEntriesListId), -1, LVNI_SELECTED);
}

// The selected entry's files at once; what became of each follows once
// its folder has been listed (a large or a network folder takes a while),
// after the window has painted.
void HistoryWindow::ShowRows() {
  selected_ = SelectedIndex();
  if (selected_ >= static_cast<int>(entries_.size())) selected_ = -1;
  states_.clear();
  const size_t count = selected_ >= 0 ? entries_[static_cast<size_t>(selected_)].entry.rows.size() : 0;
  HWND rows = control(kRowsListId);
  ListView_SetItemCountEx(rows, static_cast<int>(count), 0);
  InvalidateRect(rows, nullptr, TRUE);
  ShowButtons();
  if (count > 0) PostMessageW(handle_, kRowStatesMessage, static_cast<WPARAM>(selected_), 0);
}

void HistoryWindow::ShowRowStates(int entry) {
  if (entry != selected_ || selected_ < 0) return;  // another one was selected meanwhile
  states_ = exec::RowStates(entries_[static_cast<size_t>(selected_)].entry, ports_.files);
  InvalidateRect(control(kRowsListId), nullptr, TRUE);
}

void HistoryWindow::FillRowCell(LVITEMW& item) const {
  if (!(item.mask & LVIF_TEXT) || item.cchTextMax <= 0) return;
  const auto row = static_cast<size_t>(item.iItem);
  std::string text;
  static const std::vector<exec::HistoryEntry::Row> kNone;
  const auto& files = selected_ >= 0 ? entries_[static_cast<size_t>(selected_)].entry.rows : kNone;
  if (row < files.size()) {
    if (item.iSubItem == 0) text = files[row].before;
    else if (item.iSubItem == 1) text = files[row].after;
    else if (row < states_.size()) text = StateWords(states_[row]);
  }
  lstrcpynW(item.pszText, platform::ToWide(text).c_str(), item.cchTextMax);
}

void HistoryWindow::ShowButtons() {
  const bool chosen = selected_ >= 0 && !running_;
  EnableWindow(control(kUndoEntryId), chosen && !entries_[static_cast<size_t>(selected_)].entry.undone);
  EnableWindow(control(kForgetEntryId), chosen);
  EnableWindow(control(kForgetAllId), !entries_.empty() && !running_);
}

void HistoryWindow::UndoSelected() {
  if (running_ || selected_ < 0 || entries_[static_cast<size_t>(selected_)].entry.undone) return;
  DesktopPrompts prompts(ports_.desktop);
  if (!prompts.AskYesNo(kUndoQuestion, kWarningTitle)) return;
  const std::string name = entries_[static_cast<size_t>(selected_)].name;
  rules::ProgramState state;
  exec::RenameRun run = exec::UndoEntry(entries_[static_cast<size_t>(selected_)].entry, state, ports_.files,
                                        ports_.journals);
  // The window takes no input while the run goes on; it still paints.
  running_ = true;
  EnableWindow(handle_, FALSE);
  const exec::RunOutcome outcome = CarryRun(run, prompts);
  EnableWindow(handle_, TRUE);
  running_ = false;
  if (!outcome.declined) ports_.history.MarkUndone(name);
  Reload(0);
}

void HistoryWindow::ForgetSelected() {
  if (running_ || selected_ < 0) return;
  ports_.history.Forget(entries_[static_cast<size_t>(selected_)].name);
  Reload(selected_);
}

void HistoryWindow::ForgetAll() {
  if (running_ || entries_.empty()) return;
  DesktopPrompts prompts(ports_.desktop);
  if (!prompts.AskYesNo(kForgetAllQuestion, kWarningTitle)) return;
  for (const Shown& shown : entries_) ports_.history.Forget(shown.name);
  Reload(0);
}

void HistoryWindow::OnCommand(int id) {
  switch (id) {
    case kUndoEntryId: UndoSelected(); break;
    case kForgetEntryId: ForgetSelected(); break;
    case kForgetAllId: ForgetAll(); break;
    case kCloseHistoryId: PostMessageW(handle_, WM_CLOSE, 0, 0); break;
    default: break;
  }
}

LRESULT HistoryWindow::OnNotify(NMHDR& notification) {
  if (notification.idFrom == kRowsListId && notification.code == LVN_GETDISPINFOW) {
    FillRowCell(reinterpret_cast<NMLVDISPINFOW&>(notification).item);
  } else if (notification.idFrom == kEntriesListId && notification.code == LVN_ITEMCHANGED &&
             (reinterpret_cast<const NMLISTVIEW&>(notification).uChanged & LVIF_STATE) &&
             SelectedIndex() != selected_) {
    ShowRows();
  }
  return 0;
}

void HistoryWindow::OnColoursChanged(HWND window) {
  for (HistoryControl id : {kEntriesListId, kRowsListId}) TakeSystemColours(control(id));
  RepaintInNewColours(window);
}

void HistoryWindow::OnClose(HWND window) {
  if (running_) return;  // it closes once the run has ended
  // The owner takes input again before this window goes, so it is the
  // one that becomes active.
  EnableWindow(GetWindow(window, GW_OWNER), TRUE);
  DestroyWindow(window);
}

LRESULT HistoryWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT result = 0; layout_.HandleScaleMessage(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_NCCREATE: handle_ = window; break;
    case WM_CREATE: OnCreate(window); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wParam)); return 0;
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<NMHDR*>(lParam));
    case WM_CLOSE: OnClose(window); return 0;
    case kRowStatesMessage: ShowRowStates(static_cast<int>(wParam)); return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
      if (ColoursChanged(message, wParam)) OnColoursChanged(window);
      break;
    case WM_NCDESTROY:
      layout_.Detach();
      handle_ = nullptr;
      break;
    default: break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace ui
