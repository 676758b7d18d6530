#pragma once

#include <windows.h>

namespace ui {

// Paints `area` of `control` with the background brush of its top-level
// window, so a drawn control looks transparent on it.
void FillWithWindowBackground(HWND control, HDC dc, const RECT& area);

}  // namespace ui
