// Every pixel figure of the program's layout is written for 96 dpi (100 %
// display scale). A Scale turns it into pixels at a window's dpi.
#pragma once

#include <windows.h>

#include "platform/window_helpers.h"

namespace platform {

constexpr int kBaseDpi = 96;

struct Scale {
  int dpi = kBaseDpi;

  // figure × dpi/96, a half rounded away from zero.
  int operator()(int pixels) const { return MulDiv(pixels, dpi, kBaseDpi); }
  // Edges are scaled, not sizes: neighbours that touch at 100 % touch at
  // every scale, and no size is more than a pixel off.
  Rect operator()(const Rect& place) const {
    const int left = (*this)(place.left), top = (*this)(place.top);
    return {left, top, (*this)(place.left + place.width) - left, (*this)(place.top + place.height) - top};
  }
  bool operator==(const Scale&) const = default;
};

// The dpi the system was started with (that of the stock fonts and of
// GetSystemMetrics).
int SystemDpi();

// The dpi of the monitor `window` is on, where the system says so per
// window (Windows 10 1607 and later); else the system's.
int MonitorDpiOf(HWND window);

// The outer size that `window` (with its styles and menu) needs at `dpi`
// for a window whose outer size at 96 dpi is `width`×`height`: the outer
// size scaled, or more where the frame grows faster than the scale, so
// that the client area always holds the scaled 100 % client area.
SIZE OuterSizeAt(HWND window, int width, int height, int dpi);

// The outer size at 96 dpi of `window` (with its styles) whose client area
// at 96 dpi is `width`×`height`.
SIZE OuterSizeForClient(HWND window, int width, int height);

}  // namespace platform
