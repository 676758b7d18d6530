#include "platform/file_calls.h"

#include <vector>

namespace platform {

HANDLE FileCalls::FindFirst(const std::wstring& pattern, WIN32_FIND_DATAW& entry) {
  return FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr,
                          FIND_FIRST_EX_LARGE_FETCH);
}

bool FileCalls::FindNext(HANDLE search, WIN32_FIND_DATAW& entry) {
  return FindNextFileW(search, &entry) != FALSE;
}

void FileCalls::FindEnd(HANDLE search) { FindClose(search); }

bool FileCalls::Move(const std::wstring& from, const std::wstring& to) {
  return MoveFileExW(from.c_str(), to.c_str(), 0) != FALSE;
}

DWORD FileCalls::Attributes(const std::wstring& path) { return GetFileAttributesW(path.c_str()); }

HANDLE FileCalls::OpenFolder(const std::wstring& folder) {
  return CreateFileW(folder.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

bool FileCalls::ReadFolder(HANDLE folder, bool first, void* buffer, DWORD size) {
  return GetFileInformationByHandleEx(folder, first ? FileIdBothDirectoryRestartInfo : FileIdBothDirectoryInfo,
                                      buffer, size) != FALSE;
}

bool FileCalls::Volume(HANDLE handle, DWORD& serial, DWORD& flags) {
  return GetVolumeInformationByHandleW(handle, nullptr, 0, &serial, nullptr, &flags, nullptr, 0) != FALSE;
}

void FileCalls::Close(HANDLE handle) { CloseHandle(handle); }

DWORD FileCalls::LastError() { return GetLastError(); }

FileCalls& SystemFileCalls() {
  static FileCalls calls;
  return calls;
}

void ForEachEntry(FileCalls& calls, const std::wstring& folder,
                  const std::function<void(const WIN32_FIND_DATAW&)>& each) {
  WIN32_FIND_DATAW entry;
  HANDLE search = calls.FindFirst(folder + L"*", entry);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const wchar_t* name = entry.cFileName;
    const bool dots = name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
    if (!dots) each(entry);
  } while (calls.FindNext(search, entry));
  calls.FindEnd(search);
}


bool ForEachIdentifiedEntry(FileCalls& calls, const std::wstring& folder,
                            const std::function<void(const FILE_ID_BOTH_DIR_INFO&, std::wstring_view name)>& each,
                            DWORD& serial, DWORD& flags) {
  serial = flags = 0;
  const HANDLE handle = calls.OpenFolder(folder);
  if (handle == INVALID_HANDLE_VALUE) return false;
  if (!calls.Volume(handle, serial, flags)) serial = flags = 0;
  // 64 KB: the most a query over the network may ask for.
  constexpr DWORD kBufferBytes = 64 * 1024;
  std::vector<LONGLONG> buffer(kBufferBytes / sizeof(LONGLONG));  // aligned for the entries
  bool whole = true;
  for (bool first = true;; first = false) {
    if (!calls.ReadFolder(handle, first, buffer.data(), kBufferBytes)) {
      whole = calls.LastError() == ERROR_NO_MORE_FILES;
      break;
    }
    const auto* bytes = reinterpret_cast<const BYTE*>(buffer.data());
    for (DWORD offset = 0;;) {
      const auto& entry = *reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(bytes + offset);
      const std::wstring_view name(entry.FileName, entry.FileNameLength / sizeof(WCHAR));
      if (name != L"." && name != L"..") each(entry, name);
      if (entry.NextEntryOffset == 0) break;
      offset += entry.NextEntryOffset;
    }
  }
  calls.Close(handle);
  return whole;
}

}  // namespace platform
