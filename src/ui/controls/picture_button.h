// A button drawn from three pictures: normal, mouse over it, pressed.
// Pixels of pure blue RGB(0,0,255) in the pictures are transparent.
#pragma once

#include <windows.h>

#include <string_view>

#include "platform/window_helpers.h"
#include "platform/window_layout.h"

namespace ui {

enum class ButtonLook { Normal, MouseOver, Pressed };

// Resource identifiers of the three 100 % bitmaps; the button loads the
// ones drawn for its display scale.
struct ButtonPictures {
  int normal;
  int mouseOver;
  int pressed;
};

// Sends WM_COMMAND with BN_CLICKED to its parent when clicked (the left
// button released over it after going down on it, or BM_CLICK). `name`
// is its window text (not drawn), which screen readers announce for the
// push button it presents itself as.
HWND CreatePictureButton(platform::WindowLayout& layout, HWND parent, int id, const platform::Rect& place,
                         const ButtonPictures& pictures, std::string_view name);

ButtonLook CurrentLook(HWND button);

}  // namespace ui
