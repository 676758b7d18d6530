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

// True when `message` is Esc pressed in `topLevel` or one of its children;
// the window is then closed.
bool CloseOnEscape(const MSG& message, HWND topLevel);

// A slice of a run (its `enough`): true once `milliseconds` have passed.
inline std::function<bool()> TimeSlice(ULONGLONG milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  return [end] { return GetTickCount64() >= end; };
}

}  // namespace platform
