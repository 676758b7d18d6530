// What a drawn control says it is to screen readers (MSAA, and UI
// Automation through it): the system's own description of the window,
// with the role of a push button, a link or static text, and for the first
// two a default action that clicks it.
#pragma once

#include <windows.h>

#include <optional>

namespace ui {

enum class AccessibleKind { PushButton, Link, StaticText };

// The answer to WM_GETOBJECT for `window`; nothing when the message asks
// for something else (or oleacc is missing), so that DefWindowProc answers.
// `click` is posted to the window when a client carries out the default
// action.
std::optional<LRESULT> AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam, AccessibleKind kind,
                                       UINT click);

}  // namespace ui
