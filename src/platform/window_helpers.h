// Small helpers shared by the windows: places, texts, window classes,
// centring, the Esc key of a top-level window, and time slices.
#pragma once

#include <windows.h>

#include <functional>
#include <string_view>

namespace platform {

struct Rect {
  int left, top, width, height;
};

void SetText(HWND window, std::string_view gbk);

// Gives a window the outer size that `width`×`height` at 96 dpi takes at
// its scale, and moves it to the centre of the screen.
void CentreOnScreen(HWND window, int width, int height);
// The same, but centred in the work area of the monitor that shows most of
// `other` (the nearest one when none does).
void CentreOverMonitorOf(HWND window, HWND other, int width, int height);

// Registers a window class of this program (again is harmless).
void RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure,
                         HBRUSH background = nullptr, HICON icon = nullptr, HICON smallIcon = nullptr);

// A window procedure that lets nothing it throws (memory running out)
// leave it: the message then goes to DefWindowProc, and a window whose
// creation failed is not made.
template <LRESULT(CALLBACK* Procedure)(HWND, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK Guarded(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return Procedure(window, message, wParam, lParam);
  } catch (...) {
    return message == WM_NCCREATE ? FALSE : DefWindowProcW(window, message, wParam, lParam);
  }
}

// The window procedure of a window owned by an object of type Owner: the
// object is passed as the creation parameter and gets every message from
// WM_NCCREATE on in Owner::Handle(window, message, wParam, lParam). No
// exception ever leaves the procedure.
template <typename Owner>
LRESULT CALLBACK ObjectWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* owner = reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
  }
  auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!owner) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  try {
    return owner->Handle(window, message, wParam, lParam);
  } catch (...) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
}

// True when `message` is Esc pressed in `topLevel` or one of its children;
// the window is then closed.
bool CloseOnEscape(const MSG& message, HWND topLevel);

// A slice of a run (its `enough`): true once `milliseconds` have passed.
inline std::function<bool()> TimeSlice(ULONGLONG milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  return [end] { return GetTickCount64() >= end; };
}

}  // namespace platform
