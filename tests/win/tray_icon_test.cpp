#include "app/tray_icon.h"

#include <gtest/gtest.h>

#include <optional>

#include "main_window_fixture.h"

namespace testing_support {
namespace {

// Records where the pop-up menu opened and closes it again: the menu's
// owner hears WM_ENTERIDLE with the menu window once it waits for input.
struct MenuWatch {
  static WNDPROC original;
  static RECT menuPlace;
  static int popups;
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU) {
      GetWindowRect(reinterpret_cast<HWND>(lParam), &menuPlace);
      ++popups;
      EndMenu();
    }
    return CallWindowProcW(original, window, message, wParam, lParam);
  }
};
WNDPROC MenuWatch::original = nullptr;
RECT MenuWatch::menuPlace{};
int MenuWatch::popups = 0;

class TrayIconTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    ShowWindow(window.handle(), SW_SHOW);
    MenuWatch::original = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        window.handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MenuWatch::Proc)));
    MenuWatch::popups = 0;
  }
};

TEST_F(TrayIconTest, RightButtonPopsUpTheMenuThreePixelsRightAndDown) {
  app::TrayIcon tray(window.handle(), ui::kTrayIconMessage);
  SetCursorPos(300, 200);
  tray.OnEvent(WM_RBUTTONUP, window.FileMenu());
  ASSERT_EQ(MenuWatch::popups, 1);
  EXPECT_EQ(MenuWatch::menuPlace.left, 303);
  EXPECT_EQ(MenuWatch::menuPlace.top, 203);

  tray.OnEvent(WM_CONTEXTMENU, window.FileMenu());
  EXPECT_EQ(MenuWatch::popups, 2);
}

TEST_F(TrayIconTest, DoubleClickDoesNothingAndLeftButtonRaisesTheWindow) {
  app::TrayIcon tray(window.handle(), ui::kTrayIconMessage);
  HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                               nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(other);
  tray.OnEvent(WM_LBUTTONDBLCLK, window.FileMenu());
  EXPECT_EQ(MenuWatch::popups, 0);
  EXPECT_EQ(GetForegroundWindow(), other);

  tray.OnEvent(WM_LBUTTONUP, window.FileMenu());
  EXPECT_EQ(GetForegroundWindow(), window.handle());
  EXPECT_FALSE(GetWindowLongPtrW(window.handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(MenuWatch::popups, 0);
  DestroyWindow(other);
}

// Explorer restarting takes every icon with it; its broadcast that the
// taskbar has come puts this one back.
TEST(TrayIconAfterExplorer, TheTaskbarsMessagePutsTheIconBack) {
  rules::ProgramState state;
  ScriptedDesktop desktop;
  platform::WindowsFiles files;
  MemoryJournals journals;
  std::optional<app::TrayIcon> tray;
  ui::MainWindow::Hooks hooks;
  hooks.taskbarCreated = [&] { tray->PutBack(); };
  ui::MainWindow window(state, {desktop, files, journals, journals}, hooks);
  ASSERT_NE(window.Create(GetModuleHandleW(nullptr)), nullptr);
  tray.emplace(window.handle(), ui::kTrayIconMessage);
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = window.handle();
  data.uID = 1;
  auto present = [&] {
    NOTIFYICONDATAW probe = data;
    return Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
  };
  // The taskbar may not be up yet (as at logon): its message adds the icon then.
  for (int tries = 0; tries < 50 && !present(); ++tries) {
    Sleep(100);
    SendMessageW(window.handle(), ui::MainWindow::TaskbarCreatedMessage(), 0, 0);
  }
  ASSERT_TRUE(present());
  Shell_NotifyIconW(NIM_DELETE, &data);  // as an Explorer restart loses it
  ASSERT_FALSE(present());
  SendMessageW(window.handle(), ui::MainWindow::TaskbarCreatedMessage(), 0, 0);
  EXPECT_TRUE(present());
  SendMessageW(window.handle(), ui::MainWindow::TaskbarCreatedMessage(), 0, 0);  // still there
  EXPECT_TRUE(present());
}

}  // namespace
}  // namespace testing_support
