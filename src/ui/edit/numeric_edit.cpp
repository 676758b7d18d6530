#include "ui/edit/numeric_edit.h"

#include <commctrl.h>

namespace ui::edit {
namespace {

bool Accepted(WPARAM character) {
  return character < 0x20 || character == 0x7F || (character >= L'0' && character <= L'9') ||
         character == L'-';
}

LRESULT CALLBACK FilterTyping(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR) {
  if (message == WM_CHAR && !Accepted(wParam)) return 0;
  return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

void AcceptOnlyNumberCharacters(HWND edit) { SetWindowSubclass(edit, FilterTyping, 1, 0); }

}  // namespace ui::edit
