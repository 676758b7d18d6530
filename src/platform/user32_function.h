// A function of user32 looked up at run time, for those that older Windows
// lacks: the program still starts there. Nothing when it is not there.
#pragma once

#include <windows.h>

namespace platform {

template <typename Function>
Function User32Function(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace platform
