#include "ui/controls/system_colours.h"

#include <commctrl.h>

namespace ui {

// Raw, both: a question of the program's own to the top window, and the
// system's notice handed on to each child.
bool DrawsInSystemColours(HWND control) {
  return SendMessageW(GetAncestor(control, GA_ROOT), kSystemColoursQuery, 0, 0) != 0;
}

bool ColoursChanged(UINT message, WPARAM wParam) {
  return message == WM_SYSCOLORCHANGE || (message == WM_SETTINGCHANGE && wParam == SPI_SETHIGHCONTRAST);
}

void RepaintInNewColours(HWND window) {
  EnumChildWindows(
      window,
      [](HWND child, LPARAM) {
        SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
        return TRUE;
      },
      0);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TakeSystemColours(HWND list) {
  ListView_SetBkColor(list, GetSysColor(COLOR_WINDOW));
  ListView_SetTextBkColor(list, GetSysColor(COLOR_WINDOW));
  ListView_SetTextColor(list, GetSysColor(COLOR_WINDOWTEXT));
}

}  // namespace ui
