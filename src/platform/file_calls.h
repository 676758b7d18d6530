// The calls to the file system that paths reach. Every path goes through
// one object, so a test can record the exact strings and flags handed to
// the system, and play a file system that Wine cannot (a network share, a
// path Windows would refuse).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace platform {

class FileCalls {
 public:
  virtual ~FileCalls() = default;
  // FindFirstFileExW with the basic information and large fetches.
  virtual HANDLE FindFirst(const std::wstring& pattern, WIN32_FIND_DATAW& entry);
  virtual bool FindNext(HANDLE search, WIN32_FIND_DATAW& entry);
  virtual void FindEnd(HANDLE search);
  // MoveFileExW without flags: never replaces an existing entry.
  virtual bool Move(const std::wstring& from, const std::wstring& to);
  virtual DWORD Attributes(const std::wstring& path);
};

FileCalls& SystemFileCalls();

// Calls `each` with every entry of `folder` (a path ending in "\") but "."
// and "..".
void ForEachEntry(FileCalls& calls, const std::wstring& folder,
                  const std::function<void(const WIN32_FIND_DATAW&)>& each);

}  // namespace platform
