#include "ui/edit/edit_window.h"

#include <windowsx.h>

#include "platform/controls.h"
#include "platform/desktop.h"
#include "platform/gbk_convert.h"
#include "platform/list_order.h"
#include "platform/owned_handles.h"
#include "platform/modal_loop.h"
#include "platform/window_helpers.h"
#include "rules/compute_new_names.h"
#include "ui/controls/system_colours.h"
#include "ui/edit/click_rules.h"
#include "ui/edit/option_controls.h"
#include "ui/edit/option_table.h"
#include "ui/edit/parameters_commands.h"
#include "ui/edit/run_view.h"

namespace ui {
namespace {

using namespace edit;

constexpr wchar_t kClassName[] = L"RntoolEditWindow";
constexpr char kTitle[] = "编辑窗口";
constexpr int kWidth = 763;
constexpr int kHeight = 615;
constexpr wchar_t kYaHei[] = L"微软雅黑";
constexpr wchar_t kSong[] = L"宋体";

constexpr char kGiveUpUndo[] =
    "本次预览后，撤销按钮将暂时失效（即此前的一次更名将不能撤销，直到您再次更名）\r\n是否继续？";
constexpr char kGiveUpUndoTitle[] = "提示：";
constexpr char kRunFailed[] = "更名中出现错误（可能是内存不足），已停止处理后续的文件。";
constexpr char kRunFailedTitle[] = "警告：";
// Shown by Windows while a run holds up the end of the session.
constexpr char kRunHoldsTheSession[] = "正在批量更名，请稍候";

// A run takes a slice of this long per message: the window answers well
// within what a person notices, and the messages cost little per file.
constexpr ULONGLONG kSliceMs = 20;
constexpr UINT kRunSliceMessage = WM_APP + 20;

// The controls that a click or a key changes; labels, frames, the list and
// the bar stay as they are during a run.
bool TakesInput(Control id) {
  switch (id) {
    case 分组框1: case 分组框添加字符: case 分组框删除字符: case 分组框字符替换: case 分组框大小写转换:
    case 分组框序号添加: case 分组框替换方式: case 分组框删除方式: case 透明标签1: case 透明标签2:
    case 透明标签3: case 透明标签4: case 透明标签5: case 透明标签6: case 透明标签7: case 透明标签8:
    case 透明标签9: case 输入N值: case 超级列表框1: case 进度条1:
      return false;
    default:
      return true;
  }
}

// The reason a run holds up the end of the session goes with the
// program's main window, the Edit window's owner.
HWND MainWindowOf(HWND editWindow) {
  HWND owner = GetWindow(editWindow, GW_OWNER);
  return owner ? owner : editWindow;
}

}  // namespace

EditWindow::EditWindow(rules::ProgramState& state, ProgramPorts ports, std::string folderText,
                       rules::NameList picked)
    : state_(state), ports_(ports), folderText_(std::move(folderText)), picked_(std::move(picked)) {}

EditWindow::~EditWindow() {
  if (handle_ && IsWindow(handle_)) DestroyWindow(handle_);
}

HWND EditWindow::Open(HWND owner) {
  auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
  platform::RegisterWindowClass(instance, kClassName, platform::ObjectWindowProc<EditWindow>,
                                GetSysColorBrush(COLOR_BTNFACE));
  CreateWindowExW(0, kClassName, platform::ToWide(kTitle).c_str(),
                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 0, 0, kWidth, kHeight,
                  owner, nullptr, instance, this);
  if (!handle_) return nullptr;
  // Over the Main window, on whichever monitor that is.
  platform::CentreOverMonitorOf(handle_, owner, kWidth, kHeight);
  return handle_;
}

void EditWindow::RunModal(HWND owner) {
  if (!handle_) return;
  platform::RunModalLoop(handle_, owner, [this](const MSG& message) {
    previewList_.RelayPointer(message);
    return MovesRows(message);
  });
}

void EditWindow::Preview() {
  if (session_.PreviewAsksFirst()) {
    const auto answer = ports_.desktop.ShowMessage(
        {kGiveUpUndo, kGiveUpUndoTitle, platform::MessageButtons::YesNo});
    if (answer != platform::MessageAnswer::Yes) return;
  }
  session_.Previewed();
  EnableWindow(controls_[按钮撤销], FALSE);
  const rules::ComputationOutcome outcome =
      rules::ComputeNewNames(ReadRenameOptions(controls_), state_);
  if (outcome.notice) ports_.desktop.ShowMessage({outcome.notice->text, outcome.notice->title});
  // The folder is read once here, so the marks say what a batch started
  // now would do.
  previewList_.ShowNewNames(exec::PlanBatch(state_, ports_.files));
  ShowSession();
}

void EditWindow::BatchRename() {
  if (run_ || !session_.BatchRenameEnabled()) return;
  view_ = std::make_unique<RunView>(controls_, previewList_, ports_.desktop);
  Start(exec::RenameRun::Batch(state_, ports_.files, ports_.journals));
}

void EditWindow::Undo() {
  if (run_ || !session_.UndoEnabled()) return;
  view_ = std::make_unique<RunView>(controls_, previewList_, ports_.desktop);
  Start(exec::RenameRun::Undo(state_, ports_.files, ports_.journals, *view_));
}

void EditWindow::Start(std::optional<exec::RenameRun> run) {
  if (!run) {  // No to the undo question: nothing changes
    view_.reset();
    return;
  }
  run_.emplace(std::move(*run));
  session_.RunStarted();
  closeWhenEnded_ = false;
  HoldControls();
  PostMessageW(handle_, kRunSliceMessage, 0, 0);
}

// One slice per message, so that painting and input come in between.
void EditWindow::TakeSlice() {
  if (!run_) return;
  std::optional<exec::RunOutcome> outcome;
  try {
    outcome = run_->Step(*view_, *view_, platform::TimeSlice(kSliceMs));
  } catch (const std::exception&) {
    outcome = StopAfterAFailure();
  }
  if (!outcome) {
    view_->AfterSlice();
    PostMessageW(handle_, kRunSliceMessage, 0, 0);
    return;
  }
  EndRun(*outcome);
}

// A run that threw stops as after a No: its steps after the loop, then the
// window closes. Should those throw too, its journal stays for the next
// start.
exec::RunOutcome EditWindow::StopAfterAFailure() {
  ports_.desktop.ShowMessage({kRunFailed, kRunFailedTitle});
  closeWhenEnded_ = true;
  try {
    run_->RequestStop();
    std::optional<exec::RunOutcome> outcome;
    while (!(outcome = run_->Step(*view_, *view_, [] { return false; }))) {
    }
    return *outcome;
  } catch (const std::exception&) {
    return {.undoable = run_->kind() == exec::RenameRun::Kind::Batch, .close = true};
  }
}

void EditWindow::FinishRunNow(exec::RenameRun::Stop how) {
  if (!run_) return;
  run_->RequestStop(how);
  while (!run_->Step(*view_, *view_, [] { return false; })) {
  }
  run_.reset();
  view_.reset();
  ShutdownBlockReasonDestroy(MainWindowOf(handle_));
}

void EditWindow::EndRun(const exec::RunOutcome& outcome) {
  ShutdownBlockReasonDestroy(MainWindowOf(handle_));
  closeWhenEnded_ = closeWhenEnded_ || outcome.close;
  if (!outcome.declined) KeepInTheHistory(run_->kind(), outcome.kept);
  run_.reset();
  view_.reset();
  session_.RunEnded(outcome);
  if (!outcome.declined) platform::ProgressBar(controls_[进度条1]).SetPosition(0);
  if (outcome.openFolder) ports_.desktop.OpenWithShell({state_.FolderPath, ""});
  ReleaseControls();
  ShowSession();
  RestoreFocus();
  if (closeWhenEnded_) PostMessageW(handle_, WM_CLOSE, 0, 0);
}

// The batch's entry in the rename history is marked undone by this
// window's Undo.
void EditWindow::KeepInTheHistory(exec::RenameRun::Kind kind, const std::string& entry) {
  if (kind == exec::RenameRun::Kind::Batch) {
    batchEntry_ = entry;
    return;
  }
  if (!batchEntry_.empty()) ports_.history.MarkUndone(batchEntry_);
  batchEntry_.clear();
}

void EditWindow::HoldControls() {
  focusBeforeRun_ = GetFocus();
  ShowControlsAt([this](Control control, int slot) {
    heldEnabled_[slot] = IsWindowEnabled(controls_[control]) != FALSE;
    return false;
  });
}

void EditWindow::ReleaseControls() {
  ShowControlsAt([this](Control, int slot) { return heldEnabled_[slot]; });
}

// The keys go on where they were, if that control can still take them.
void EditWindow::RestoreFocus() {
  if (focusBeforeRun_ && IsWindowEnabled(focusBeforeRun_) && GetActiveWindow() == handle_) {
    SetFocus(focusBeforeRun_);
  }
  focusBeforeRun_ = nullptr;
}

// Every control that takes input gets the state `enabled` says, painted
// once for all of them.
void EditWindow::ShowControlsAt(const std::function<bool(Control, int)>& enabled) {
  platform::SetRedraw(handle_, false);
  for (int id = 分组框1; id < kControlEnd; ++id) {
    const auto control = static_cast<Control>(id);
    const bool on = enabled(control, id - 分组框1);
    if (TakesInput(control)) EnableWindow(controls_[control], on);
  }
  platform::SetRedraw(handle_, true);
  RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void EditWindow::ShowSession() {
  EnableWindow(controls_[按钮更名], session_.BatchRenameEnabled());
  EnableWindow(controls_[按钮撤销], session_.UndoEnabled());
}

void EditWindow::OnCommand(int id, int code) {
  if (code != BN_CLICKED || run_) return;
  const auto control = static_cast<Control>(id);
  if (IsOrderCommand(id)) {
    OrderRows(static_cast<OrderCommand>(id));
  } else if (IsOptionControl(control)) {
    OnOptionClicked(controls_, control);
  } else if (control == 按钮预览) {
    Preview();
  } else if (control == 按钮更名) {
    BatchRename();
  } else if (control == 按钮撤销) {
    Undo();
  } else if (control == 按钮保参) {
    SaveParameters(controls_, ports_.desktop, parametersPath_);
  } else if (control == 按钮载参) {
    LoadParameters(controls_, ports_.desktop, parametersPath_);
  }
}

void EditWindow::OnCreate(HWND window) {
  layout_.Attach(window, kWidth, kHeight);
  const EditFonts fonts{layout_.Font({-19, kYaHei}), layout_.Font({-12, kYaHei}), layout_.Font({-12, kSong}),
                        layout_.Font({.height = -20, .face = L"", .charSet = GB2312_CHARSET})};
  CreateEditControls(layout_, window, fonts, controls_);
  // Opening: the rule of the checked type leaves one panel, then the
  // hand-over fills the shared state and the rows.
  OnOptionClicked(controls_, 单选框添加字符);
  state_.FillFromPicked(folderText_, std::move(picked_));
  origins_ = exec::RowOrigins(state_.CurrentNames.size());
  previewList_.Attach(controls_[超级列表框1], state_);
}

LRESULT EditWindow::OnNotify(HWND window, LPARAM lParam) {
  NMHDR& notification = *reinterpret_cast<NMHDR*>(lParam);
  if (notification.hwndFrom == controls_[超级列表框1] && notification.code == LVN_COLUMNCLICK) {
    SortByColumn(reinterpret_cast<NMLISTVIEW&>(notification).iSubItem);
    return 0;
  }
  const std::optional<LRESULT> result = previewList_.OnNotify(notification);
  return result ? *result : DefWindowProcW(window, WM_NOTIFY, 0, lParam);
}

void EditWindow::OnNcDestroy() {
  layout_.Detach();
  handle_ = nullptr;
}

void EditWindow::SortByColumn(int column) {
  if (run_) return;
  sortAscending_ = column != sortColumn_ || !sortAscending_;
  sortColumn_ = column;
  const rules::NameList& names = column == 0 ? state_.CurrentNames : state_.NewNames;
  Reorder(rules::NaturalOrder(names, platform::ListBoxRanks(names), !sortAscending_));
  previewList_.ShowSortArrow(sortColumn_, sortAscending_);
}

void EditWindow::OrderRows(OrderCommand command) {
  if (run_) return;
  const size_t count = state_.CurrentNames.size();
  switch (command) {
    case kOrderByName:
      sortColumn_ = -1;  // as a click on the first title
      SortByColumn(0);
      return;
    case kOrderReversed:
      Reorder(exec::Reversed(count));
      sortAscending_ = !sortAscending_;
      previewList_.ShowSortArrow(sortColumn_, sortAscending_);
      return;
    case kOrderByTime:
    case kOrderBySize:
      Reorder(exec::OrderByFileFact(state_, ports_.files,
                                    command == kOrderByTime ? exec::FileFact::LastWrite : exec::FileFact::Size,
                                    platform::ListBoxRanks(state_.CurrentNames)));
      break;
    case kMoveUp: Reorder(exec::MovedUp(count, previewList_.SelectedRows())); break;
    case kMoveDown: Reorder(exec::MovedDown(count, previewList_.SelectedRows())); break;
    case kPickedOrder: Reorder(origins_.Original()); break;
  }
  sortColumn_ = -1;  // no title tells this order
  previewList_.ShowSortArrow(sortColumn_, sortAscending_);
}

// The three lists move together and the selected rows with their files; a
// preview made before no longer stands.
void EditWindow::Reorder(const std::vector<size_t>& order) {
  std::vector<size_t> placeOf(order.size());
  bool moved = false;
  for (size_t place = 0; place < order.size(); ++place) {
    placeOf[order[place]] = place;
    moved = moved || order[place] != place;
  }
  if (!moved) return;
  std::vector<size_t> selected = previewList_.SelectedRows();
  for (size_t& row : selected) row = placeOf[row];
  state_.Reorder(order);
  origins_.Follow(order);
  previewList_.TakeBackNewNames();
  previewList_.SelectRows(selected);
  session_.OrderChanged();
  ShowSession();
}

// A right click on the list, or its menu key or Shift+F10 (at the focused
// row, or the list's corner).
void EditWindow::OnContextMenu(HWND window, HWND clicked, LPARAM where) {
  HWND list = controls_[超级列表框1];
  if (clicked != list || run_) return;
  POINT at{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
  if (where == -1) {
    RECT row{};
    const int focused = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
    if (focused < 0 || !ListView_GetItemRect(list, focused, &row, LVIR_LABEL)) GetClientRect(list, &row);
    at = {row.left, row.bottom};
    ClientToScreen(list, &at);
  }
  const platform::OwnedMenu menu(CreateOrderMenu(!previewList_.SelectedRows().empty()));
  const int chosen = TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr);
  if (IsOrderCommand(chosen)) OrderRows(static_cast<OrderCommand>(chosen));
}

bool EditWindow::MovesRows(const MSG& message) {
  const bool altArrow = message.message == WM_SYSKEYDOWN && (message.wParam == VK_UP || message.wParam == VK_DOWN);
  if (!altArrow || message.hwnd != controls_[超级列表框1]) return false;
  if (!run_) OrderRows(message.wParam == VK_UP ? kMoveUp : kMoveDown);
  return true;
}

void EditWindow::OnColoursChanged(HWND window) {
  previewList_.TakeSystemColours();
  RepaintInNewColours(window);
}

void EditWindow::OnClose(HWND window) {
  if (session_.CloseWaitsForTheRun() && run_) {  // it stops after the file in hand
    run_->RequestStop();
    closeWhenEnded_ = true;
    return;
  }
  // The owner takes input again before this window goes, so it is the
  // one that becomes active.
  EnableWindow(GetWindow(window, GW_OWNER), TRUE);
  DestroyWindow(window);
}

// The session waits for a run; ended all the same, the run stops first.
bool EditWindow::HoldsTheSession(HWND window) {
  if (!run_) return false;
  ShutdownBlockReasonCreate(MainWindowOf(window), platform::ToWide(kRunHoldsTheSession).c_str());
  return true;
}

// A change of display scale reaches the preview's columns too.
bool EditWindow::HandleScaleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const platform::Scale before = layout_.scale();
  if (!layout_.HandleScaleMessage(message, wParam, lParam, result)) return false;
  previewList_.Rescale(before, layout_.scale());
  return true;
}

LRESULT EditWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT result = 0; HandleScaleMessage(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_NCCREATE:
      handle_ = window;
      break;
    case WM_CREATE:
      OnCreate(window);
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(window, lParam);
    case WM_CONTEXTMENU:
      OnContextMenu(window, reinterpret_cast<HWND>(wParam), lParam);
      return 0;
    case kRunSliceMessage:
      TakeSlice();
      return 0;
    // Only the marks of the preview have colours of their own.
    case kSystemColoursQuery:
      return ports_.desktop.HighContrastOn() ? 1 : 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
      if (ColoursChanged(message, wParam)) OnColoursChanged(window);
      break;
    case WM_CLOSE:
      OnClose(window);
      return 0;
    case WM_DESTROY:
      // Gone while a run goes on (its owner went): it still ends, so that
      // no file is left under a temporary name.
      FinishRunNow(exec::RenameRun::Stop::Close);
      break;
    case WM_QUERYENDSESSION:
      if (HoldsTheSession(window)) return FALSE;
      break;
    case WM_ENDSESSION:
      if (wParam) StopForTheEnd();
      return 0;
    case WM_NCDESTROY:
      OnNcDestroy();
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace ui
