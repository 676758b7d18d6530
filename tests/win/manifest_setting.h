// A setting of the process's manifest as the system reads it (the tests
// carry the program's manifest).
#pragma once

#include <windows.h>

#include <string>

namespace testing_support {

inline std::wstring ManifestSetting(const wchar_t* space, const wchar_t* name) {
  wchar_t value[64] = {};
  SIZE_T written = 0;
  if (!QueryActCtxSettingsW(0, nullptr, space, name, value, 64, &written)) return L"";
  return value;
}

}  // namespace testing_support
