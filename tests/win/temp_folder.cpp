#include "temp_folder.h"

#include "platform/gbk_convert.h"

namespace testing_support {

namespace {

// Removes `folder` (a \\?\ path) with everything in it; SHFileOperation
// would leave names that end in a dot or a blank.
void RemoveAll(const std::wstring& folder) {
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveAll(path);
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

}  // namespace

// A folder no earlier run left behind.
TempFolder::TempFolder() {
  const DWORD size = GetTempPathW(0, nullptr);
  std::wstring base(size, L'\0');
  base.resize(GetTempPathW(size, base.data()));
  static unsigned counter = 0;
  std::wstring folder;
  for (int attempt = 0; attempt < 1000; ++attempt) {
    folder = base + L"rntool-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
             std::to_wstring(++counter);
    if (CreateDirectoryW(folder.c_str(), nullptr)) break;
  }
  path_ = platform::ToGbk(folder);
}

TempFolder::~TempFolder() { RemoveAll(L"\\\\?\\" + platform::ToWide(path_)); }

// Through \\?\, so that a name ending in a dot or a blank is made as it stands.
std::wstring TempFolder::Wide(std::string_view name) const {
  return L"\\\\?\\" + platform::ToWide(path_) + L"\\" + platform::ToWide(name);
}

void TempFolder::AddFile(std::string_view name, DWORD attributes) const {
  HANDLE file = CreateFileW(Wide(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            attributes, nullptr);
  CloseHandle(file);
}

void TempFolder::AddFolder(std::string_view name) const {
  CreateDirectoryW(Wide(name).c_str(), nullptr);
}

void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace testing_support
