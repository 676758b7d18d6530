#include "platform/system_library.h"

namespace platform {

LibraryLoad SystemLibraryLoad(const wchar_t* name, bool searchFlagsKnown, const std::wstring& systemFolder) {
  if (searchFlagsKnown) return {name, LOAD_LIBRARY_SEARCH_SYSTEM32};
  return {systemFolder + L"\\" + name, 0};
}

HMODULE LoadSystemLibrary(const wchar_t* name) {
  const bool searchFlagsKnown = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "AddDllDirectory") != nullptr;
  std::wstring systemFolder;
  if (!searchFlagsKnown) {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    systemFolder.assign(folder, length);
  }
  const LibraryLoad load = SystemLibraryLoad(name, searchFlagsKnown, systemFolder);
  return LoadLibraryExW(load.file.c_str(), nullptr, load.flags);
}

}  // namespace platform
