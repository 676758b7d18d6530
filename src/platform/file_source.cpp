#include "platform/file_source.h"

#include <algorithm>

#include "platform/file_paths.h"

namespace platform {

FileSource::FileSource(const std::string& path) : file_(INVALID_HANDLE_VALUE) {
  if (const std::optional<std::wstring> wide = FileSystemPathOf(path)) {
    file_ = CreateFileW(wide->c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                        nullptr);
  }
}

FileSource::~FileSource() {
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
}

unsigned long long FileSource::Size() const {
  LARGE_INTEGER size{};
  if (file_ == INVALID_HANDLE_VALUE || !GetFileSizeEx(file_, &size)) return 0;
  return static_cast<unsigned long long>(size.QuadPart);
}

size_t FileSource::Read(char* buffer, size_t size) {
  if (file_ == INVALID_HANDLE_VALUE) return 0;
  DWORD read = 0;
  const DWORD asked = static_cast<DWORD>(std::min<size_t>(size, 1 << 20));
  if (!ReadFile(file_, buffer, asked, &read, nullptr)) return 0;
  return read;
}

}  // namespace platform
