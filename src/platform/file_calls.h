// The calls to the file system that paths reach. Every path goes through
// one object, so a test can record the exact strings and flags handed to
// the system, and play a file system that Wine cannot (a network share, a
// path Windows would refuse).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

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

  // CreateFileW on a folder, to list it: FILE_LIST_DIRECTORY, all sharing
  // (renames in it go on), FILE_FLAG_BACKUP_SEMANTICS.
  virtual HANDLE OpenFolder(const std::wstring& folder);
  // GetFileInformationByHandleEx: FileIdBothDirectoryRestartInfo for the
  // first fill of `buffer`, FileIdBothDirectoryInfo for the next ones.
  virtual bool ReadFolder(HANDLE folder, bool first, void* buffer, DWORD size);
  // GetVolumeInformationByHandleW: the serial number and the flags.
  virtual bool Volume(HANDLE handle, DWORD& serial, DWORD& flags);
  virtual void Close(HANDLE handle);
  // The error of the last call that failed (GetLastError).
  virtual DWORD LastError();
};

FileCalls& SystemFileCalls();

// Calls `each` with every entry of `folder` (a path ending in "\") but "."
// and "..".
void ForEachEntry(FileCalls& calls, const std::wstring& folder,
                  const std::function<void(const WIN32_FIND_DATAW&)>& each);

// Calls `each` with every entry of `folder` (a path ending in "\") but
// "." and "..", its name and short name, size, times and file ID in one
// pass, and sets `serial` and `flags` to its volume's (0 when they can't be
// read). False when the folder can't be opened or read to its end.
bool ForEachIdentifiedEntry(FileCalls& calls, const std::wstring& folder,
                            const std::function<void(const FILE_ID_BOTH_DIR_INFO&, std::wstring_view name)>& each,
                            DWORD& serial, DWORD& flags);

}  // namespace platform
