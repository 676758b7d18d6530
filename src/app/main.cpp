// Program entry: start-up in its fixed order, the message loop, the end.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <optional>

#include "app/dll_search.h"
#include "app/hand_over.h"
#include "app/left_runs_at_start.h"
#include "app/send_to_item.h"
#include "app/single_instance.h"
#include "app/tray_icon.h"
#include "logo/logo_window.h"
#include "platform/desktop.h"
#include "platform/file_system.h"
#include "platform/folder_journals.h"
#include "platform/incoming_files.h"
#include "platform/registry_switch.h"
#include "platform/send_to.h"
#include "platform/windows_files.h"
#include "platform/window_helpers.h"
#include "rules/program_state.h"
#include "ui/main/main_window.h"

namespace {

constexpr char kAlreadyRunning[] = "我已经运行了(*^__^*) ";
constexpr char kAlreadyRunningTitle[] = "您好！";
// Whether ended runs are kept in the rename history: the user's switch.
constexpr char kKeepHistoryLocation[] = "software\\Larkvale\\RNTOOL\\history";

int RunMessageLoop(ui::MainWindow& mainWindow) {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (platform::CloseOnEscape(message, mainWindow.handle()) || mainWindow.HandleKey(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

// What the process needs before its first window, in this order.
void PrepareTheProcess() {
  app::SearchDllsOnlyInSystem32();
  // A drive without a medium lists as empty instead of asking the user.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  // The shell and the banner picture use COM.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
}

// What the program does for the Main window: its end, the tray icon, the
// check items of the menus.
ui::MainWindow::Hooks HooksOf(rules::ProgramState& state, std::optional<app::TrayIcon>& trayIcon,
                              ui::MainWindow*& mainWindow, const platform::RegistrySwitch& keepHistory) {
  ui::MainWindow::Hooks hooks;
  hooks.exitProgram = [&] {
    // "退出" ends the program at once, whatever windows are open.
    trayIcon.reset();
    state.Release();
    ExitProcess(0);
  };
  hooks.trayIconEvent = [&](LPARAM event) {
    if (trayIcon) trayIcon->OnEvent(event, mainWindow->FileMenu());
  };
  hooks.taskbarCreated = [&] {
    if (trayIcon) trayIcon->PutBack();
  };
  hooks.closed = [] { PostQuitMessage(0); };
  hooks.toggleStartupLogo = [&] { logo::ToggleStartupLogo(mainWindow->FileMenu(), ui::kCommandStartupLogo); };
  hooks.toggleKeepHistory = [&] {
    platform::ToggleSwitch(mainWindow->ToolsMenu(), ui::kCommandKeepHistory, keepHistory);
  };
  hooks.toggleSendTo = [&] {
    app::ToggleSendTo(mainWindow->ToolsMenu(), ui::kCommandSendTo, platform::UserSendToFolder(),
                      platform::ExecutablePath());
  };
  return hooks;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  PrepareTheProcess();

  // The shared state lives for the whole run and is released at its end.
  rules::ProgramState state;
  platform::WindowsFiles files;
  const platform::RegistrySwitch keepHistory(kKeepHistoryLocation);
  platform::FolderJournals journals(platform::UserJournalFolder(), [&] { return keepHistory.Read() != 0; });
  const ui::ProgramPorts ports{platform::SystemDesktop(), files, journals, journals};
  std::optional<app::TrayIcon> trayIcon;
  ui::MainWindow* mainWindowAddress = nullptr;
  ui::MainWindow mainWindow(state, ports, HooksOf(state, trayIcon, mainWindowAddress, keepHistory));
  mainWindowAddress = &mainWindow;
  if (!mainWindow.Create(instance)) return 0;

  // Files given on the command line (发送到, a shortcut) come in as a drop
  // does; a copy that runs already takes them, and this one ends quietly.
  const std::vector<std::wstring> paths = platform::CommandLinePaths();
  if (app::AnotherCopyIsRunning()) {
    if (!paths.empty() && app::HandOverPaths(paths)) return 0;
    ports.desktop.ShowMessage({kAlreadyRunning, kAlreadyRunningTitle});
    return 0;
  }
  app::PutBackLeftRuns(ports);
  logo::ShowStartupLogo(instance, mainWindow.FileMenu(), ui::kCommandStartupLogo);
  platform::ShowSwitch(mainWindow.ToolsMenu(), ui::kCommandKeepHistory, keepHistory);
  app::ShowSendTo(mainWindow.ToolsMenu(), ui::kCommandSendTo, platform::UserSendToFolder(), platform::ExecutablePath());
  mainWindow.SetInitialFolder(platform::ProgramFolder());
  trayIcon.emplace(mainWindow.handle(), ui::kTrayIconMessage);

  ShowWindow(mainWindow.handle(), SW_SHOW);
  UpdateWindow(mainWindow.handle());
  if (!paths.empty()) mainWindow.TakePaths(paths);
  RunMessageLoop(mainWindow);

  trayIcon.reset();
  state.Release();
  return 0;
}
