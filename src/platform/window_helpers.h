// Small helpers shared by the windows: creating controls from GBK texts,
// fonts, centring, and the Esc key of a top-level window.
#pragma once

#include <windows.h>

#include <string_view>

namespace platform {

struct Rect {
  int left, top, width, height;
};

HWND CreateChild(const wchar_t* className, std::string_view text, DWORD style, const Rect& place,
                 HWND parent, int id, DWORD exStyle = 0);

void SetText(HWND window, std::string_view gbk);

// A font of `height` (negative: character height in pixels); an empty face
// lets the system choose one for the character set.
HFONT CreateUiFont(int height, const wchar_t* face, bool underline = false,
                   BYTE charSet = DEFAULT_CHARSET);

// Moves a window of the given outer size to the centre of the screen.
void CentreOnScreen(HWND window, int width, int height);

// True when `message` is Esc pressed in `topLevel` or one of its children;
// the window is then closed.
bool CloseOnEscape(const MSG& message, HWND topLevel);

}  // namespace platform
