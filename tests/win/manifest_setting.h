// A setting of the process's manifest as the system reads it (the tests
// carry the program's manifest).
#pragma once

#include <windows.h>
#include <objbase.h>

#include <cstring>
#include <string>
#include <vector>

namespace testing_support {

inline std::wstring ManifestSetting(const wchar_t* space, const wchar_t* name) {
  wchar_t value[64] = {};
  SIZE_T written = 0;
  if (!QueryActCtxSettingsW(0, nullptr, space, name, value, 64, &written)) return L"";
  return value;
}

// The Windows versions the manifest names as supported, as the system read
// them ("{35138B9A-…}", Windows 7, …). Windows 10 1903 and later (and Wine)
// give each element a 64-bit MaxVersionTested more than the headers know.
inline std::vector<std::wstring> SupportedOs() {
  std::vector<BYTE> buffer(4096);
  SIZE_T written = 0;
  if (!QueryActCtxW(0, nullptr, nullptr, CompatibilityInformationInActivationContext, buffer.data(),
                    buffer.size(), &written) || written < sizeof(DWORD)) {
    return {};
  }
  struct NewerElement {
    GUID id;
    ACTCTX_COMPATIBILITY_ELEMENT_TYPE type;
    ULONGLONG maxVersionTested;
  };
  const DWORD count = *reinterpret_cast<const DWORD*>(buffer.data());
  const bool newer = written == alignof(NewerElement) + count * sizeof(NewerElement);
  const size_t first = newer ? alignof(NewerElement) : sizeof(DWORD);
  const size_t size = newer ? sizeof(NewerElement) : sizeof(COMPATIBILITY_CONTEXT_ELEMENT);
  std::vector<std::wstring> ids;
  for (DWORD i = 0; i < count && first + (i + 1) * size <= written; ++i) {
    COMPATIBILITY_CONTEXT_ELEMENT element;
    std::memcpy(&element, buffer.data() + first + i * size, sizeof(element));
    if (element.Type != ACTCTX_COMPATIBILITY_ELEMENT_TYPE_OS) continue;
    wchar_t text[40] = {};
    StringFromGUID2(element.Id, text, 40);
    ids.push_back(text);
  }
  return ids;
}

}  // namespace testing_support
