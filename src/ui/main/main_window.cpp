#include "ui/main/main_window.h"

#include <dbt.h>

#include <string>

#include "platform/desktop.h"
#include "platform/scope_exit.h"
#include "platform/file_system.h"
#include "platform/incoming_files.h"
#include "platform/gbk_convert.h"
#include "platform/keyboard_focus.h"
#include "platform/window_helpers.h"
#include "resource_ids.h"
#include "ui/controls/picture_button.h"
#include "ui/controls/system_colours.h"
#include "ui/controls/transparent_label.h"
#include "ui/edit/edit_window.h"
#include "ui/history/history_window.h"
#include "ui/main/box_colour.h"
#include "ui/main/main_menu.h"
#include "ui/main/maker_info.h"

namespace ui {
namespace {

constexpr char kTitle[] = "澄川改名宝V1.00";
constexpr int kWidth = 641;
constexpr int kHeight = 527;
constexpr COLORREF kBackground = RGB(0, 0, 128);
constexpr wchar_t kYaHei[] = L"微软雅黑";

constexpr char kNothingPicked[] = "您未选中任何文件！无法进行编辑操作";
constexpr char kNothingPickedTitle[] = "提示:";
constexpr char kHelpText[] = "您好，有什么意见和建议请到空间中留言，谢谢";
constexpr char kHelpTitle[] = "帮助";
constexpr char kAuthorTitle[] = "作者信息";
constexpr char kNoteTitle[] = "提示：";
constexpr char kNotFound[] = "找不到文件：";
constexpr char kLeftOutStart[] = "一次只能编辑同一个文件夹中的文件，另一个文件夹中的 ";
constexpr char kLeftOutEnd[] = " 个文件没有加入。";
constexpr char kCloseEditFirst[] = "请先关闭编辑窗口，再加入新的文件。";
// Posted to take the paths another copy handed over, once its message has
// returned (the Edit window they open would hold the sender up).
constexpr UINT kTakeHandedPathsMessage = WM_APP + 50;

std::string Label1Text() {
  return std::string(
             "请按选择好您想要批量更名的文件，选中后单击编辑名称按钮。（提示：若您选着的是连续文件可按"
             "住shift按键，再分别点一下最上方和最下方的文件名，这样即可选中全部文件。）") +
         " " + "有bug请反馈" + " " + maker::kContactEmail;
}

std::string AuthorText() {
  return std::string(maker::kProductName) + "v1.00" + "由" + maker::kMakersName +
         "荣誉开发，感谢您的使用。" + "    " + "联系我们：" + maker::kContactEmail + "。";
}

}  // namespace

MainWindow::MainWindow(rules::ProgramState& state, ProgramPorts ports, Hooks hooks)
    : state_(state), ports_(ports), hooks_(std::move(hooks)) {}

MainWindow::~MainWindow() {
  if (handle_ && IsWindow(handle_)) DestroyWindow(handle_);
}

HWND MainWindow::Create(HINSTANCE instance, platform::MessageFilter& filter) {
  background_.Reset(CreateSolidBrush(kBackground));
  boxBackground_.Reset(CreateSolidBrush(kBoxBackground));
  platform::RegisterWindowClass(
      instance, kClassName, platform::ObjectWindowProc<MainWindow>, background_.get(),
      LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP)),
      static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                    GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));

  CreateWindowExW(0, kClassName, platform::ToWide(kTitle).c_str(),
                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 0, 0, kWidth, kHeight,
                  nullptr, CreateMainMenu(), instance, this);
  if (!handle_) return nullptr;
  platform::CentreOnScreen(handle_, kWidth, kHeight);
  // Explorer's messages reach a copy run as administrator too: the
  // taskbar's return, a drop (its files come in 0x0049,
  // WM_COPYGLOBALDATA), and another copy's paths (WM_COPYDATA).
  for (const UINT message : {TaskbarCreatedMessage(), UINT{WM_DROPFILES}, UINT{0x0049}, UINT{WM_COPYDATA}}) {
    filter.Allow(handle_, message);
  }
  return handle_;
}

UINT MainWindow::TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

void MainWindow::CreateControls() {
  driveBox_.Create(layout_, handle_, kDriveBoxId, {1, 56, 432, 20});
  driveBox_.Fill(platform::ListDrives());
  directoryBox_.Create(layout_, handle_, kDirectoryBoxId, {0, 80, 432, 112});
  fileBox_.Create(layout_, handle_, kFileBoxId, {0, 192, 432, 264});

  CreateTransparentLabel(layout_, handle_, kLabel1Id, Label1Text(), {448, 40, 184, 232},
                         {.look = LabelLook::Engraved, .font = layout_.Font({-16, kYaHei}),
                          .wordWrap = true});
  CreatePictureButton(layout_, handle_, kPictureButtonId, {488, 336, 96, 40},
                      {IDB_BUTTON_NORMAL, IDB_BUTTON_MOUSE_OVER, IDB_BUTTON_PRESSED}, "编辑名称");
  CreateTransparentLabel(layout_, handle_, kLinkLabelId, "点击这里访问我们", {488, 448, 96, 16},
                         {.look = LabelLook::Embossed,
                          .font = layout_.Font({.height = -12, .face = kYaHei, .underline = true}),
                          .singleLineCentred = true,
                          .link = true});
  CreateTransparentLabel(layout_, handle_, kLabel2Id, "提示：请在上方选择需要更名的文件。",
                         {8, 448, 424, 40}, {.look = LabelLook::Engraved, .singleLineCentred = true});
}

// The window's navy and the boxes' lilac, or under high contrast the
// system's colours (what DefWindowProc gives the boxes).
void MainWindow::UseColours() {
  systemColours_ = ports_.desktop.HighContrastOn();
  const HBRUSH brush = systemColours_ ? GetSysColorBrush(COLOR_WINDOW) : background_.get();
  SetClassLongPtrW(handle_, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(brush));
  directoryBox_.UseSystemColours(systemColours_);
}

void MainWindow::SetInitialFolder(std::string_view folder) {
  driveBox_.SelectFromText(folder);
  directoryBox_.SetFolder(folder);
  fileBox_.SetFolder(directoryBox_.FolderText() + "\\");
}

HMENU MainWindow::FileMenu() const { return GetSubMenu(GetMenu(handle_), 0); }

HMENU MainWindow::ToolsMenu() const { return GetSubMenu(GetMenu(handle_), 1); }

void MainWindow::OnDriveChanged() {
  directoryBox_.SetFolder(std::string{driveBox_.Drive(), ':', '\\'});
  fileBox_.SetFolder(directoryBox_.FolderText() + "\\");
}

void MainWindow::OnFolderChanged() { fileBox_.SetFolder(directoryBox_.FolderText() + "\\"); }

void MainWindow::EditNames() {
  // The tray menu still offers this while the Edit window is open: one
  // Edit window at a time, since it owns the shared lists until it closes.
  if (editWindow_) {
    SetForegroundWindow(GetLastActivePopup(handle_));
    return;
  }
  if (fileBox_.SelectionText().empty()) {
    ports_.desktop.ShowMessage({kNothingPicked, kNothingPickedTitle});
    return;
  }
  {
    EditWindow window(state_, ports_, fileBox_.FolderText(), fileBox_.SelectedNames());
    // Cleared however the window ends, an exception included.
    const platform::ScopeExit closed([this] { editWindow_ = nullptr; });
    editWindow_ = &window;
    if (window.Open(handle_)) window.RunModal(handle_);
  }
  ListFolderAfresh();
}

void MainWindow::ShowHistory() {
  {
    HistoryWindow window(ports_);
    historyOpen_ = true;
    const platform::ScopeExit closed([this] { historyOpen_ = false; });
    if (window.Open(handle_)) window.RunModal(handle_);
  }
  ListFolderAfresh();
  if (!handedPaths_.empty()) TakeHandedPaths();
}

// Hand-back: list the folder afresh so renamed files show their new names.
// The "/" is the hand-back's own ending (a choice of drive or folder ends
// in "\"): FolderPath, the folder opened and the next opening carry it,
// and every path made of it is made normal first.
void MainWindow::ListFolderAfresh() { fileBox_.SetFolder(directoryBox_.FolderText() + "/"); }

void MainWindow::TakePaths(const std::vector<std::wstring>& paths) {
  const exec::Incoming incoming = exec::SortIncoming(platform::ClassifyPaths(paths));
  for (const std::string& missing : incoming.missing) ports_.desktop.ShowMessage({kNotFound + missing, kNoteTitle});
  if (incoming.folder.empty()) return;
  SetInitialFolder(incoming.folder);
  fileBox_.SelectExactly(incoming.files);
  if (incoming.files.empty()) return;
  if (incoming.leftOut > 0) {
    ports_.desktop.ShowMessage({kLeftOutStart + std::to_string(incoming.leftOut) + kLeftOutEnd, kNoteTitle});
  }
  EditNames();
}

// Paths from another copy of the program: taken as a drop, the window at
// the front; while the Edit window is open, it comes to the front instead
// and says so. While the History window is open they wait for it to close.
LRESULT MainWindow::OnCopyData(const COPYDATASTRUCT& data) {
  std::vector<std::wstring> paths = platform::PathsOfMessage(data);
  if (paths.empty()) return FALSE;
  if (editWindow_) {
    SetForegroundWindow(editWindow_->handle());
    PostMessageW(handle_, kTakeHandedPathsMessage, 0, 0);  // the message, once the sender is free
    handedPaths_.clear();
    return TRUE;
  }
  handedPaths_ = std::move(paths);
  if (!historyOpen_) PostMessageW(handle_, kTakeHandedPathsMessage, 0, 0);
  return TRUE;
}

void MainWindow::TakeHandedPaths() {
  if (editWindow_) {
    ports_.desktop.ShowMessage({kCloseEditFirst, kNoteTitle});
    return;
  }
  std::vector<std::wstring> paths = std::move(handedPaths_);
  handedPaths_.clear();
  if (paths.empty()) return;
  SetForegroundWindow(handle_);
  TakePaths(paths);
}

void MainWindow::OnDropFiles(HDROP drop) {
  const std::vector<std::wstring> paths = platform::DroppedPaths(drop);
  DragFinish(drop);
  SetForegroundWindow(handle_);
  TakePaths(paths);
}

bool MainWindow::HandleKey(const MSG& message) {
  return fileBox_.SelectAllOnCtrlA(message) || platform::MoveFocusWithKeys(message, handle_);
}

void MainWindow::OpenCurrentFolder() {
  ports_.desktop.OpenWithShell({fileBox_.FolderText(), ""});
}

void MainWindow::VisitWebPage() { ports_.desktop.OpenWithShell({maker::kWebAddress, "open"}); }

void MainWindow::ShowHelp() {
  ports_.desktop.ShowMessage({kHelpText, kHelpTitle});
  VisitWebPage();
}

void MainWindow::ShowAuthorInfo() {
  ports_.desktop.ShowMessage(
      {AuthorText(), kAuthorTitle, platform::MessageButtons::Ok, platform::MessageIcon::Information});
}

void MainWindow::OnCommand(int id, int code) {
  switch (id) {
    case kDriveBoxId:
      if (code == CBN_SELCHANGE) OnDriveChanged();
      break;
    case kFileBoxId:
      if (code == LBN_SELCHANGE) fileBox_.OnSelectionChanged();
      break;
    case kPictureButtonId:
    case kCommandEditNames:
      EditNames();
      break;
    case kLinkLabelId:
      VisitWebPage();
      break;
    case kCommandOpenFolder:
      OpenCurrentFolder();
      break;
    case kCommandExit:
      if (editWindow_) editWindow_->StopForTheEnd();
      if (hooks_.exitProgram) hooks_.exitProgram();
      break;
    case kCommandStartupLogo:
      if (hooks_.toggleStartupLogo) hooks_.toggleStartupLogo();
      break;
    case kCommandHistory:
      ShowHistory();
      break;
    case kCommandKeepHistory:
      if (hooks_.toggleKeepHistory) hooks_.toggleKeepHistory();
      break;
    case kCommandSendTo:
      if (hooks_.toggleSendTo) hooks_.toggleSendTo();
      break;
    case kCommandHelp:
      ShowHelp();
      break;
    case kCommandAuthorInfo:
      ShowAuthorInfo();
      break;
    default:
      break;
  }
}

LRESULT MainWindow::OnTaskbarCreated() {
  if (hooks_.taskbarCreated) hooks_.taskbarCreated();
  return 0;
}

void MainWindow::OnCreate(HWND window) {
  layout_.Attach(window, kWidth, kHeight);
  CreateControls();
  UseColours();
  DragAcceptFiles(window, TRUE);
}

void MainWindow::OnColoursChanged(HWND window) {
  UseColours();
  RepaintInNewColours(window);
}

// The boxes' lilac, behind their texts too.
LRESULT MainWindow::BoxColours(HDC dc) const {
  SetBkColor(dc, kBoxBackground);
  return reinterpret_cast<LRESULT>(boxBackground_.get());
}

// A volume came or went (a stick put in or taken out).
void MainWindow::OnDeviceChange(WPARAM event, LPARAM data) {
  if ((event == DBT_DEVICEARRIVAL || event == DBT_DEVICEREMOVECOMPLETE) && data &&
      reinterpret_cast<const DEV_BROADCAST_HDR*>(data)->dbch_devicetype == DBT_DEVTYP_VOLUME) {
    driveBox_.Refill(platform::ListDrives());
  }
}

// The class is registered once, with the brush of the first window; this
// window's own brush lives as long as it does.
void MainWindow::OnNcCreate(HWND window) {
  handle_ = window;
  SetClassLongPtrW(window, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(background_.get()));
}

void MainWindow::OnNcDestroy() {
  layout_.Detach();
  handle_ = nullptr;
}

// Paths come in from the shell: a drop, another copy's message, and the
// posted message that takes the latter once its sender is free.
LRESULT MainWindow::OnPathsMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) return OnCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
  if (message == WM_DROPFILES) {
    OnDropFiles(reinterpret_cast<HDROP>(wParam));
  } else {
    TakeHandedPaths();
  }
  return 0;
}

LRESULT MainWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT result = 0; layout_.HandleScaleMessage(message, wParam, lParam, result)) return result;
  if (message == TaskbarCreatedMessage()) return OnTaskbarCreated();
  switch (message) {
    case WM_NCCREATE:
      OnNcCreate(window);
      break;
    case WM_CREATE:
      OnCreate(window);
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      return directoryBox_.OnNotify(*reinterpret_cast<NMHDR*>(lParam)) ? TRUE : FALSE;
    case kOpenFolderMessage:
      if (directoryBox_.OpenRequestedFolder()) OnFolderChanged();
      return 0;
    case kSystemColoursQuery:
      return systemColours_ ? 1 : 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
      if (ColoursChanged(message, wParam)) OnColoursChanged(window);
      break;
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
      if (systemColours_) break;
      return BoxColours(reinterpret_cast<HDC>(wParam));
    case WM_DEVICECHANGE:
      OnDeviceChange(wParam, lParam);
      return TRUE;
    case WM_DROPFILES:
    case WM_COPYDATA:
    case kTakeHandedPathsMessage:
      return OnPathsMessage(message, wParam, lParam);
    case kTrayIconMessage:
      if (hooks_.trayIconEvent) hooks_.trayIconEvent(lParam);
      return 0;
    case WM_DESTROY:
      if (hooks_.closed) hooks_.closed();
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
