// The message loop of a window shown modally over its owner, as a dialog
// box has one, for windows that are not dialog boxes.
#pragma once

#include <windows.h>

#include <functional>

namespace platform {

// Shows `window` and handles the thread's messages until it is gone;
// `owner` takes no input meanwhile and is made active again after. Esc
// closes the window, Tab and the arrow keys move the focus; `before` sees
// every other message first and is not dispatched when it returns true. A
// WM_QUIT is posted again for the loop outside.
void RunModalLoop(HWND window, HWND owner, const std::function<bool(const MSG&)>& before = {});

}  // namespace platform
