// Under a high-contrast theme the program's windows draw in the system's
// colours only. A top-level window knows which colours it shows and the
// drawn controls on it ask it as they paint; it follows a change of theme
// or of the system's colours while it is open.
#pragma once

#include <windows.h>

namespace ui {

// Sent to a top-level window: nonzero while it draws in the system's colours.
inline constexpr UINT kSystemColoursQuery = WM_APP + 30;

// True when the top-level window of `control` draws in the system's colours.
bool DrawsInSystemColours(HWND control);

// True for the messages after which a window reads the theme afresh: the
// system's colours changed, or high contrast was switched on or off.
bool ColoursChanged(UINT message, WPARAM wParam);

// Tells the controls on `window` (common controls learn of new system
// colours only from their window) and repaints it with all it holds.
void RepaintInNewColours(HWND window);

// A report list takes the system's window and text colours of now (it
// keeps those it read when the common controls started otherwise).
void TakeSystemColours(HWND list);

}  // namespace ui
