// The background of the Main window's three file-picking boxes.
#pragma once

#include <windows.h>

namespace ui {

inline constexpr COLORREF kBoxBackground = RGB(128, 128, 255);

}  // namespace ui
