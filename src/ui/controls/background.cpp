#include "ui/controls/background.h"

namespace ui {

void FillWithWindowBackground(HWND control, HDC dc, const RECT& area) {
  HWND topLevel = GetAncestor(control, GA_ROOT);
  auto brush = reinterpret_cast<HBRUSH>(GetClassLongPtrW(topLevel, GCLP_HBRBACKGROUND));
  FillRect(dc, &area, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
}

}  // namespace ui
