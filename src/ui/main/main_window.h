// The Main window: drive, directory and file boxes, the Edit-names button,
// the labels and the menu bar.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/message_filter.h"
#include "platform/owned_handles.h"
#include "platform/object_window.h"
#include "platform/window_helpers.h"
#include "platform/window_layout.h"
#include "rules/program_state.h"
#include "ui/program_ports.h"
#include "ui/main/directory_box.h"
#include "ui/main/drive_box.h"
#include "ui/edit/edit_window.h"
#include "ui/main/file_box.h"

namespace ui {

enum MainCommand : int {
  kCommandStartupLogo = 1001,
  kCommandEditNames = 1002,
  kCommandOpenFolder = 1003,
  kCommandExit = 1004,
  kCommandHelp = 1005,
  kCommandAuthorInfo = 1006,
  kCommandHistory = 1007,
  kCommandKeepHistory = 1008,
  kCommandSendTo = 1009,
};

enum MainControl : int {
  kDriveBoxId = 10,
  kDirectoryBoxId = 11,
  kFileBoxId = 12,
  kLabel1Id = 13,
  kPictureButtonId = 14,
  kLinkLabelId = 15,
  kLabel2Id = 16,
};

// The notification-area icon reports its mouse actions with this message.
inline constexpr UINT kTrayIconMessage = WM_APP + 1;

class MainWindow {
 public:
  static constexpr wchar_t kClassName[] = L"RntoolMainWindow";

  // What the program around the window does for it.
  struct Hooks {
    std::function<void()> exitProgram;                // "退出"
    std::function<void()> toggleStartupLogo;          // "启动时加载logo"
    std::function<void()> toggleKeepHistory;          // "记录更名历史"
    std::function<void()> toggleSendTo;               // "添加到“发送到”菜单"
    std::function<void(LPARAM event)> trayIconEvent;  // kTrayIconMessage
    std::function<void()> taskbarCreated;             // the taskbar has come (again)
    std::function<void()> closed;                     // the window was destroyed
  };

  // `ports` must outlive the window.
  MainWindow(rules::ProgramState& state, ProgramPorts ports, Hooks hooks);
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  ~MainWindow();

  // Creates the window with all its controls and its menu, still hidden.
  // Messages from Explorer and other copies reach it through `filter` also
  // when this copy runs as administrator.
  HWND Create(HINSTANCE instance, platform::MessageFilter& filter = platform::SystemMessageFilter());
  // Points the three boxes at `folder` (no trailing separator).
  void SetInitialFolder(std::string_view folder);
  // Checks the selection and opens the Edit window; returns when it closed.
  void EditNames();
  // Paths from the shell (a drop, the command line): the folder of the
  // first file becomes the current one with exactly the files of it
  // selected, and the Edit window opens with them; a folder alone only
  // becomes the current one. Missing paths and files of other folders are
  // told of.
  void TakePaths(const std::vector<std::wstring>& paths);
  // Keys handled before they are dispatched: Tab and the arrow keys move
  // the focus, Ctrl+A selects every file. True when handled.
  bool HandleKey(const MSG& message);
  // The drop-down menu "菜单", also shown by the tray icon.
  HMENU FileMenu() const;
  // The drop-down menu "工具".
  HMENU ToolsMenu() const;
  // Opens the History window; returns when it closed.
  void ShowHistory();
  // Explorer's broadcast that the taskbar has come (again).
  static UINT TaskbarCreatedMessage();

  HWND handle() const { return handle_; }
  DriveBox& driveBox() { return driveBox_; }
  DirectoryBox& directoryBox() { return directoryBox_; }
  FileBox& fileBox() { return fileBox_; }

 private:
  friend LRESULT CALLBACK platform::ObjectWindowProc<MainWindow>(HWND, UINT, WPARAM, LPARAM);
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls();
  void UseColours();
  void OnCommand(int id, int code);
  void OnCreate(HWND window);
  LRESULT OnTaskbarCreated();
  void OnColoursChanged(HWND window);
  LRESULT BoxColours(HDC dc) const;
  void OnDeviceChange(WPARAM event, LPARAM data);
  void OnDropFiles(HDROP drop);
  LRESULT OnPathsMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnCopyData(const COPYDATASTRUCT& data);
  void TakeHandedPaths();
  void OnNcCreate(HWND window);
  void OnNcDestroy();
  void OnDriveChanged();
  void OnFolderChanged();
  void ListFolderAfresh();
  void OpenCurrentFolder();
  void ShowHelp();
  void ShowAuthorInfo();
  void VisitWebPage();

  rules::ProgramState& state_;
  ProgramPorts ports_;
  Hooks hooks_;
  HWND handle_ = nullptr;
  platform::OwnedGdi<HBRUSH> background_;
  platform::OwnedGdi<HBRUSH> boxBackground_;
  bool systemColours_ = false;  // high contrast: the system's colours instead of these
  platform::WindowLayout layout_;
  DriveBox driveBox_;
  DirectoryBox directoryBox_;
  FileBox fileBox_;
  EditWindow* editWindow_ = nullptr;  // while it is open
  bool historyOpen_ = false;
  std::vector<std::wstring> handedPaths_;  // from another copy, not yet taken
};

}  // namespace ui
