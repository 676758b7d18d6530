#include "platform/window_helpers.h"

#include "platform/gbk_convert.h"
#include "platform/window_layout.h"

namespace platform {

void RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure,
                         HBRUSH background, HICON icon, HICON smallIcon) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = background;
  windowClass.hIcon = icon;
  windowClass.hIconSm = smallIcon;
  windowClass.lpszClassName = name;
  RegisterClassExW(&windowClass);
}

void SetText(HWND window, std::string_view gbk) { SetWindowTextW(window, ToWide(gbk).c_str()); }

namespace {

void CentreIn(HWND window, const RECT& area, int width, int height) {
  const SIZE outer = OuterSizeAt(window, width, height, ScaleOf(window).dpi);
  const int left = area.left + (area.right - area.left - outer.cx) / 2;
  const int top = area.top + (area.bottom - area.top - outer.cy) / 2;
  SetWindowPos(window, nullptr, left, top, outer.cx, outer.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void CentreOnScreen(HWND window, int width, int height) {
  CentreIn(window, {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, width, height);
}

void CentreOverMonitorOf(HWND window, HWND other, int width, int height) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (!GetMonitorInfoW(MonitorFromWindow(other, MONITOR_DEFAULTTONEAREST), &monitor)) {
    CentreOnScreen(window, width, height);
    return;
  }
  CentreIn(window, monitor.rcWork, width, height);
}

bool CloseOnEscape(const MSG& message, HWND topLevel) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_ESCAPE) return false;
  if (message.hwnd != topLevel && !IsChild(topLevel, message.hwnd)) return false;
  // An open drop-down list takes Esc for itself.
  wchar_t className[32] = {};
  GetClassNameW(message.hwnd, className, 32);
  if (lstrcmpiW(className, L"ComboBox") == 0 &&
      SendMessageW(message.hwnd, CB_GETDROPPEDSTATE, 0, 0)) {
    return false;
  }
  PostMessageW(topLevel, WM_CLOSE, 0, 0);
  return true;
}

}  // namespace platform
