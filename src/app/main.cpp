// Program entry: the Main window and the message loop.
#include <windows.h>

#include "platform/gbk_convert.h"
#include "rules/program_state.h"

namespace {

constexpr wchar_t kMainWindowClass[] = L"ChengchuanRenameMain";
constexpr char kMainWindowTitle[] = "澄川改名宝V1.00";
constexpr int kMainWindowWidth = 641;
constexpr int kMainWindowHeight = 527;
constexpr COLORREF kMainBackground = RGB(0, 0, 128);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

HWND CreateMainWindow(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = CreateSolidBrush(kMainBackground);
  windowClass.lpszClassName = kMainWindowClass;
  RegisterClassExW(&windowClass);

  const int left = (GetSystemMetrics(SM_CXSCREEN) - kMainWindowWidth) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - kMainWindowHeight) / 2;
  return CreateWindowExW(0, kMainWindowClass, platform::ToWide(kMainWindowTitle).c_str(),
                         WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, left, top, kMainWindowWidth,
                         kMainWindowHeight, nullptr, nullptr, instance, nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  rules::ProgramState state;
  HWND mainWindow = CreateMainWindow(instance);
  if (!mainWindow) return 0;
  ShowWindow(mainWindow, showCommand);
  UpdateWindow(mainWindow);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  state.Release();
  return 0;
}
