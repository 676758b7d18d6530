#include "platform/modal_loop.h"

#include "platform/keyboard_focus.h"
#include "platform/window_helpers.h"

namespace platform {

void RunModalLoop(HWND window, HWND owner, const std::function<bool(const MSG&)>& before) {
  EnableWindow(owner, FALSE);
  ShowWindow(window, SW_SHOW);
  MSG message;
  while (IsWindow(window)) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));  // for the outer loop
      break;
    }
    if (CloseOnEscape(message, window) || MoveFocusWithKeys(message, window)) continue;
    if (before && before(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  EnableWindow(owner, TRUE);
  SetActiveWindow(owner);
}

}  // namespace platform
