#include "platform/whole_file.h"

#include <windows.h>

#include <string>

#include "platform/file_paths.h"
#include "platform/owned_handles.h"

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

// A new, empty file beside `target` (CREATE_NEW, so never one that is
// there), with its path in `path`.
HANDLE CreateFileBeside(const std::wstring& target, std::wstring& path) {
  const std::wstring folder = target.substr(0, target.find_last_of(L'\\') + 1);
  const std::wstring stem = L"~krn" + std::to_wstring(GetCurrentProcessId()) + L"-";
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    path = folder + stem + std::to_wstring(GetTickCount64() + attempt) + L".tmp";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return INVALID_HANDLE_VALUE;
}

}  // namespace

bool ReplaceWholeFile(const std::string& path, const std::string& bytes) {
  const std::optional<std::wstring> target = FileSystemPathOf(path);
  if (!target) return false;
  // A read-only file is not to be written over (some file systems would
  // let the replacement through).
  const DWORD attributes = GetFileAttributesW(target->c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
  std::wstring temporary;
  OwnedHandle file(CreateFileBeside(*target, temporary));
  if (!file) return false;
  bool written = WriteAll(file.get(), bytes);
  file.Reset();  // closed before it takes the target's place
  written = written && MoveFileExW(temporary.c_str(), target->c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!written) DeleteFileW(temporary.c_str());
  return written;
}

}  // namespace platform
