// Expectations on windows at a display scale: every 100 % figure of the
// layout × dpi/96, within a pixel, and exactly at 96 dpi; and what the
// screen shows of a window.
#pragma once

#include <windows.h>

#include <map>

#include "platform/window_helpers.h"

namespace testing_support {

// The display scale this run was started with (WINE_DPI).
int RunDpi();

void ExpectScaled(int actual, int figure, int dpi);

// `control` sits at `place` (100 %, in its parent's client area) at `dpi`.
// A drop-down's height is the system's, from its font: it is not compared.
void ExpectPlaceAt(HWND control, const platform::Rect& place, int dpi, bool compareHeight = true);

// The outer size of `window` is `width`×`height` at `dpi`, and its client
// area holds at least its 100 % client area `client` at that scale.
void ExpectWindowAt(HWND window, int width, int height, SIZE client, int dpi);

// The height of the font `window` draws its text with.
int FontHeightOf(HWND window);

// Shows `window` above every other and paints it wholly; `topmost` false
// gives its place back.
void ShowOnTop(HWND window, bool topmost = true);

// The colour the screen shows at `point` of `window`'s client area.
COLORREF ColourAt(HWND window, POINT point);

// How many pixels of `area` of `window`'s client area (all of it when
// none is given) the screen shows in each colour.
std::map<COLORREF, int> ColoursOf(HWND window, const RECT* area = nullptr);

}  // namespace testing_support
