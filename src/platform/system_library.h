// A DLL of System32 that is no KnownDLL, loaded from there only, on every
// Windows the program runs on.
#pragma once

#include <windows.h>

#include <string>

namespace platform {

// What LoadLibraryExW is handed for `name`: the name, with the search held
// to System32, where Windows knows that flag (Windows 8 and later, Windows
// 7 with update KB2533623, which also brings AddDllDirectory); else the
// full path in `systemFolder`, as Windows 7 without it fails the call
// with the flag.
struct LibraryLoad {
  std::wstring file;
  DWORD flags;
};
LibraryLoad SystemLibraryLoad(const wchar_t* name, bool searchFlagsKnown, const std::wstring& systemFolder);

// Loads `name` so; nothing when it can't.
HMODULE LoadSystemLibrary(const wchar_t* name);

}  // namespace platform
