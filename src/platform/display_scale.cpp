#include "platform/display_scale.h"

#include <algorithm>

#include "platform/owned_handles.h"
#include "platform/user32_function.h"

namespace platform {
namespace {

// Looked up at run time: older Windows lacks them, and the program still
// starts there (system-aware).
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

// The frame, caption and menu bar around a client area at `dpi`.
bool FrameAt(HWND window, int dpi, SIZE& frame) {
  static const auto adjust = User32Function<AdjustForDpiFunction>("AdjustWindowRectExForDpi");
  if (!adjust) return false;
  RECT outer{0, 0, 0, 0};
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
  const BOOL menu = !(style & WS_CHILD) && GetMenu(window) != nullptr;
  if (!adjust(&outer, style, menu, exStyle, static_cast<UINT>(dpi))) return false;
  frame = {outer.right - outer.left, outer.bottom - outer.top};
  return true;
}

}  // namespace

int SystemDpi() {
  static const int dpi = [] {
    const ScreenDc screen(GetDC(nullptr));
    const int found = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : kBaseDpi;
    return found > 0 ? found : kBaseDpi;
  }();
  return dpi;
}

int MonitorDpiOf(HWND window) {
  static const auto dpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  const UINT dpi = dpiForWindow && window ? dpiForWindow(window) : 0;
  return dpi ? static_cast<int>(dpi) : SystemDpi();
}

SIZE OuterSizeAt(HWND window, int width, int height, int dpi) {
  const Scale scale{dpi};
  SIZE outer{scale(width), scale(height)};
  SIZE frame{}, baseFrame{};
  if (FrameAt(window, dpi, frame) && FrameAt(window, kBaseDpi, baseFrame)) {
    outer.cx = std::max(outer.cx, frame.cx + scale(width - baseFrame.cx));
    outer.cy = std::max(outer.cy, frame.cy + scale(height - baseFrame.cy));
  }
  return outer;
}

SIZE OuterSizeForClient(HWND window, int width, int height) {
  SIZE frame{};
  if (!FrameAt(window, kBaseDpi, frame)) {
    RECT outer{0, 0, 0, 0};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    frame = {outer.right - outer.left, outer.bottom - outer.top};
  }
  return {width + frame.cx, height + frame.cy};
}

}  // namespace platform
