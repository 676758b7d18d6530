#include "platform/file_calls.h"

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

}  // namespace platform
