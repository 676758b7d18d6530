// Which messages reach a window from processes of lower integrity (an
// Explorer or a copy of the program that is not run as administrator, when
// this copy is). One object, so a test can record the calls: Wine runs every
// program as administrator and has no filter to show.
#pragma once

#include <windows.h>

namespace platform {

class MessageFilter {
 public:
  virtual ~MessageFilter() = default;
  // ChangeWindowMessageFilterEx(window, message, MSGFLT_ALLOW), looked up
  // at run time; nothing where the system lacks it.
  virtual void Allow(HWND window, UINT message);
};

MessageFilter& SystemMessageFilter();

}  // namespace platform
