#include "logo/startup_flag.h"

#include <windows.h>

#include "platform/gbk_convert.h"

namespace logo {

StartupFlag::StartupFlag(std::string location) {
  const size_t split = location.find_last_of('\\');
  const std::string key = split == std::string::npos ? std::string() : location.substr(0, split);
  key_ = platform::ToWide(key);
  valueName_ = platform::ToWide(location.substr(split == std::string::npos ? 0 : split + 1));
}

unsigned long StartupFlag::Read() const {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return 1;
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof(value);
  const LONG result = RegQueryValueExW(key, valueName_.c_str(), nullptr, &type,
                                       reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(value)) return 1;
  return value;
}

bool StartupFlag::Write(unsigned long value) const {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key_.c_str(), 0, KEY_WRITE, &key) != ERROR_SUCCESS &&
      RegCreateKeyW(HKEY_LOCAL_MACHINE, key_.c_str(), &key) != ERROR_SUCCESS) {
    return false;
  }
  const DWORD data = value;
  const LONG result = RegSetValueExW(key, valueName_.c_str(), 0, REG_DWORD,
                                     reinterpret_cast<const BYTE*>(&data), sizeof(data));
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

}  // namespace logo
