// A label drawn straight onto its window's background, with an engraved or
// embossed look (plain, in the system's colours, under high contrast),
// optionally acting as a link.
#pragma once

#include <windows.h>

#include <string_view>

#include "platform/window_helpers.h"
#include "platform/window_layout.h"

namespace ui {

enum class LabelLook {
  Plain,
  Engraved,  // a white copy under the text, the text 1 pixel right and down
  Embossed,  // a white copy 1 pixel right and down, under the text
};

struct LabelStyle {
  LabelLook look = LabelLook::Plain;
  HFONT font = nullptr;  // nullptr: the default GUI font (WM_SETFONT changes it)
  bool wordWrap = false;
  bool singleLineCentred = false;  // one line, centred vertically
  bool link = false;               // hand cursor; reports mouse-button down
};

// A link label sends WM_COMMAND with STN_CLICKED to its parent as soon as
// the left button goes down on it.
HWND CreateTransparentLabel(platform::WindowLayout& layout, HWND parent, int id, std::string_view text, const platform::Rect& place,
                            const LabelStyle& style);

}  // namespace ui
