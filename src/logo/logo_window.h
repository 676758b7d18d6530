// The start-up Logo window and its fade.
#pragma once

#include <windows.h>

#include "platform/registry_switch.h"

namespace logo {

// Where the start-up logo flag is kept.
inline constexpr char kFlagLocation[] = "software\\Larkvale\\RNTOOL\\logo";

// What one fade does, step by step; the real one works on the Logo window,
// tests record it.
class FadeActions {
 public:
  virtual ~FadeActions() = default;
  virtual void MakeTopmost() = 0;
  virtual void SetOpacity(int alpha) = 0;
  virtual void Wait(int milliseconds) = 0;
  virtual void RequestClose() = 0;
};

// Topmost, fade in (0, 3, ..., 255, waiting 10 ms each), fade out (258,
// 253, ..., 3, waiting 5 ms each), then a posted close.
void FadeLogoWindow(FadeActions& actions);

// Sets the window's opacity; values below 0 or above 255 take effect as
// 255. Nothing happens when the window is gone or the system has no
// per-window opacity.
void SetWindowOpacity(HWND window, int alpha);

// Dispatches the thread's window messages until more than `milliseconds`
// have passed.
void WaitProcessingMessages(int milliseconds);

// Opens the Logo window (borderless 735 x 151, centred, a tool window
// without a taskbar button, shown at opacity 0); nullptr when it can't be
// created.
HWND OpenLogoWindow(HINSTANCE instance);

// Reads the flag and sets the check mark of `item` in `menu` from it; when
// the flag is 1, shows the Logo window and fades it, returning after the
// fade.
void ShowStartupLogo(HINSTANCE instance, HMENU menu, UINT item,
                     const platform::RegistrySwitch& flag = platform::RegistrySwitch(kFlagLocation));

// Flips the check mark of `item` and stores the new state (0 or 1) as the
// user's. When the store fails the check mark goes back.
void ToggleStartupLogo(HMENU menu, UINT item,
                       const platform::RegistrySwitch& flag = platform::RegistrySwitch(kFlagLocation));

}  // namespace logo
