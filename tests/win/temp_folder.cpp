#include "temp_folder.h"

#include <shellapi.h>

#include "platform/gbk_convert.h"

namespace testing_support {

TempFolder::TempFolder() {
  wchar_t base[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, base);
  static unsigned counter = 0;
  const std::wstring folder = std::wstring(base) + L"rntool-test-" +
                              std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++counter);
  CreateDirectoryW(folder.c_str(), nullptr);
  path_ = platform::ToGbk(folder);
}

TempFolder::~TempFolder() {
  // SHFileOperation wants a double-zero-terminated list.
  std::wstring from = platform::ToWide(path_);
  from.push_back(L'\0');
  SHFILEOPSTRUCTW operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_NO_UI;
  SHFileOperationW(&operation);
}

std::wstring TempFolder::Wide(std::string_view name) const {
  return platform::ToWide(path_) + L"\\" + platform::ToWide(name);
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
