#include "platform/message_filter.h"

#include "platform/user32_function.h"

namespace platform {

void MessageFilter::Allow(HWND window, UINT message) {
  using ChangeFilter = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
  static const auto change = User32Function<ChangeFilter>("ChangeWindowMessageFilterEx");
  if (change) change(window, message, MSGFLT_ALLOW, nullptr);
}

MessageFilter& SystemMessageFilter() {
  static MessageFilter filter;
  return filter;
}

}  // namespace platform
