#pragma once

#include <windows.h>

namespace ui::edit {

// Typed characters other than "0"-"9" and "-" are refused; control
// characters (backspace and the like) pass, and pasted text is not looked at.
void AcceptOnlyNumberCharacters(HWND edit);

}  // namespace ui::edit
