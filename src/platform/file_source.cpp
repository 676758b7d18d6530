#include "platform/file_source.h"

#include <algorithm>

#include "platform/file_paths.h"

namespace platform {

FileSource::FileSource(const std::string& path) {
  if (const std::optional<std::wstring> wide = FileSystemPathOf(path)) {
    file_.Reset(CreateFileW(wide->c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr));
  }
}

unsigned long long FileSource::Size() const {
  LARGE_INTEGER size{};
  if (!file_ || !GetFileSizeEx(file_.get(), &size)) return 0;
  return static_cast<unsigned long long>(size.QuadPart);
}

size_t FileSource::Read(char* buffer, size_t size) {
  if (!file_) return 0;
  DWORD read = 0;
  const DWORD asked = static_cast<DWORD>(std::min<size_t>(size, 1 << 20));
  if (!ReadFile(file_.get(), buffer, asked, &read, nullptr)) return 0;
  return read;
}

}  // namespace platform
