#include "app/dll_search.h"

#include <windows.h>

namespace app {

void SearchDllsOnlyInSystem32() {
  using SetDefaultDirectories = BOOL(WINAPI*)(DWORD);
  const auto setDefault = reinterpret_cast<SetDefaultDirectories>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
  // Without it, at least the current folder leaves the search.
  SetDllDirectoryW(L"");
}

}  // namespace app
