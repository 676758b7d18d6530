// Moving the focus with the keyboard through the controls of a top-level
// window, as a dialog box does, for windows that are not dialog boxes.
#pragma once

#include <windows.h>

#include <vector>

namespace platform {

// The controls Tab stops at, in order: every visible, enabled control that
// takes the focus, in creation order, the insides of group boxes included.
// A group of radio boxes (those of one parent) is one stop: its checked box,
// else its first.
std::vector<HWND> TabStops(HWND topLevel);

// Handles `message` when it is a key that moves the focus inside
// `topLevel`: Tab and Shift+Tab go to the next and previous stop; the arrow
// keys on a radio box go to the next or previous box of its group and click
// it. True when the key was handled (it is then not to be dispatched).
bool MoveFocusWithKeys(const MSG& message, HWND topLevel);

}  // namespace platform
