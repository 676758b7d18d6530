#include "ui/edit/edit_window.h"

#include "exec/batch_rename.h"
#include "platform/desktop.h"
#include "platform/gbk_convert.h"
#include "platform/keyboard_focus.h"
#include "platform/window_helpers.h"
#include "rules/compute_new_names.h"
#include "ui/edit/click_rules.h"
#include "ui/edit/option_controls.h"
#include "ui/edit/parameters_commands.h"
#include "ui/edit/rename_window_port.h"

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

}  // namespace

EditWindow::EditWindow(rules::ProgramState& state, std::function<void()> openFolder)
    : state_(state), openFolder_(std::move(openFolder)) {}

EditWindow::~EditWindow() {
  if (handle_ && IsWindow(handle_)) DestroyWindow(handle_);
}

HWND EditWindow::Open(HWND owner, std::string_view folderText, const rules::NameList& picked) {
  auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
  platform::RegisterWindowClass(instance, kClassName, platform::ObjectWindowProc<EditWindow>,
                                GetSysColorBrush(COLOR_BTNFACE));
  openingFolder_ = folderText;
  openingPicked_ = &picked;
  CreateWindowExW(0, kClassName, platform::ToWide(kTitle).c_str(),
                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 0, 0, kWidth, kHeight,
                  owner, nullptr, instance, this);
  if (!handle_) return nullptr;
  platform::CentreOnScreen(handle_, kWidth, kHeight);
  return handle_;
}

void EditWindow::RunModal(HWND owner) {
  EnableWindow(owner, FALSE);
  ShowWindow(handle_, SW_SHOW);
  MSG message;
  while (handle_ && IsWindow(handle_)) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));  // for the outer loop
      break;
    }
    if (platform::CloseOnEscape(message, handle_) || platform::MoveFocusWithKeys(message, handle_)) {
      continue;
    }
    previewList_.RelayPointer(message);
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  EnableWindow(owner, TRUE);
  SetActiveWindow(owner);
}

void EditWindow::Preview() {
  if (IsWindowEnabled(controls_[按钮撤销])) {
    const auto answer = platform::Desktop().ShowMessage(
        {kGiveUpUndo, kGiveUpUndoTitle, platform::MessageButtons::YesNo});
    if (answer != platform::MessageAnswer::Yes) return;
  }
  EnableWindow(controls_[按钮撤销], FALSE);
  const rules::ComputationOutcome outcome =
      rules::ComputeNewNames(ReadRenameOptions(controls_), state_);
  if (outcome.notice) platform::Desktop().ShowMessage({outcome.notice->text, outcome.notice->title});
  // The folder is read once here, so the marks say what a batch started
  // now would do.
  previewList_.ShowNewNames(exec::PlanBatch(state_, *files_));
  EnableWindow(controls_[按钮更名], TRUE);
}

void EditWindow::BatchRename() { CarryOut(exec::BatchRename); }

void EditWindow::Undo() { CarryOut(exec::UndoLastBatch); }

void EditWindow::CarryOut(Run run) {
  if (running_) return;
  running_ = true;
  closeWanted_ = false;
  RenameWindowPort window(controls_, previewList_, openFolder_,
                          {[this] { return ServeQueue(); }, [this] { closeWanted_ = true; }});
  run(state_, *files_, window);
  running_ = false;
  if (closeWanted_) PostMessageW(handle_, WM_CLOSE, 0, 0);
}

bool EditWindow::IsInputForControls(const MSG& message) const {
  const bool keyboard = message.message == WM_KEYDOWN || message.message == WM_KEYUP ||
                        message.message == WM_CHAR;
  const bool button = message.message >= WM_LBUTTONDOWN && message.message <= WM_MBUTTONDBLCLK;
  if (!keyboard && !button) return false;
  // The list may still be scrolled and looked through.
  const HWND list = controls_[超级列表框1];
  if (message.hwnd == list || IsChild(list, message.hwnd)) return false;
  return message.hwnd == handle_ || IsChild(handle_, message.hwnd);
}

bool EditWindow::ServeQueue() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));  // for the loops outside
      break;
    }
    if (platform::CloseOnEscape(message, handle_) || IsInputForControls(message)) continue;
    previewList_.RelayPointer(message);
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return closeWanted_;
}

void EditWindow::OnCommand(int id, int code) {
  if (code != BN_CLICKED || running_) return;
  const auto control = static_cast<Control>(id);
  if (IsOptionControl(control)) {
    OnOptionClicked(controls_, control);
  } else if (control == 按钮预览) {
    Preview();
  } else if (control == 按钮更名) {
    BatchRename();
  } else if (control == 按钮撤销) {
    Undo();
  } else if (control == 按钮保参) {
    SaveParameters(controls_, parametersPath_);
  } else if (control == 按钮载参) {
    LoadParameters(controls_, parametersPath_);
  }
}

void EditWindow::OnCreate(HWND window) {
  layout_.Attach(window, kWidth, kHeight);
  const EditFonts fonts{layout_.Font({-19, kYaHei}), layout_.Font({-12, kYaHei}),
                        layout_.Font({-12, kSong}), layout_.Font({-20, L"", false, GB2312_CHARSET})};
  CreateEditControls(window, fonts, controls_);
  // Opening: the rule of the checked type leaves one panel, then the
  // hand-over fills the shared state and the rows.
  OnOptionClicked(controls_, 单选框添加字符);
  state_.FillFromPicked(openingFolder_, *openingPicked_);
  previewList_.Attach(controls_[超级列表框1], state_);
}

LRESULT EditWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const platform::Scale before = layout_.scale();
  if (LRESULT result = 0; layout_.HandleScaleMessage(message, wParam, lParam, result)) {
    previewList_.Rescale(before, layout_.scale());
    return result;
  }
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
      if (const auto result = previewList_.OnNotify(*reinterpret_cast<NMHDR*>(lParam))) return *result;
      break;
    case WM_CLOSE:
      if (running_) {  // the run stops after the file in hand, then the window closes
        closeWanted_ = true;
        return 0;
      }
      // The owner takes input again before this window goes, so it is the
      // one that becomes active.
      EnableWindow(GetWindow(window, GW_OWNER), TRUE);
      DestroyWindow(window);
      return 0;
    case WM_NCDESTROY:
      layout_.Detach();
      handle_ = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void RunEditWindow(HWND owner, rules::ProgramState& state, std::string_view folderText,
                   const rules::NameList& picked, std::function<void()> openFolder) {
  EditWindow window(state, std::move(openFolder));
  if (window.Open(owner, folderText, picked)) window.RunModal(owner);
}

}  // namespace ui
