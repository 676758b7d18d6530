#include "platform/whole_file.h"

#include <windows.h>

#include "platform/gbk_convert.h"

namespace platform {
namespace {

bool WriteAll(HANDLE file, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return FlushFileBuffers(file) != FALSE;
}

}  // namespace

bool ReplaceWholeFile(const std::string& path, const std::string& bytes) {
  const std::wstring target = ToWide(path);
  // A read-only file is not to be written over (some file systems would
  // let the replacement through).
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
  const std::wstring folder = target.substr(0, target.find_last_of(L"\\/") + 1);
  wchar_t temporary[MAX_PATH + 1] = {};
  if (!GetTempFileNameW(folder.empty() ? L"." : folder.c_str(), L"krn", 0, temporary)) return false;
  HANDLE file = CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  bool written = file != INVALID_HANDLE_VALUE && WriteAll(file, bytes);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  written = written && MoveFileExW(temporary, target.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!written) DeleteFileW(temporary);
  return written;
}

}  // namespace platform
