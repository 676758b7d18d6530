#include "platform/registry_switch.h"

#include <windows.h>

#include <optional>

#include "platform/gbk_convert.h"
#include "platform/owned_handles.h"

namespace platform {

RegistrySwitch::RegistrySwitch(std::string location) {
  const size_t split = location.find_last_of('\\');
  const std::string key = split == std::string::npos ? std::string() : location.substr(0, split);
  key_ = ToWide(key);
  valueName_ = ToWide(location.substr(split == std::string::npos ? 0 : split + 1));
}

namespace {

// The value under `root`: nothing when there is none, 1 when it is no DWORD.
std::optional<unsigned long> ValueUnder(HKEY root, const std::wstring& keyPath, const std::wstring& name) {
  OwnedKey key;
  if (RegOpenKeyExW(root, keyPath.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) return std::nullopt;
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof(value);
  const LONG result =
      RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  if (result == ERROR_FILE_NOT_FOUND) return std::nullopt;
  if (result != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(value)) return 1;
  return value;
}

}  // namespace

unsigned long RegistrySwitch::Read() const {
  if (const auto user = ValueUnder(HKEY_CURRENT_USER, key_, valueName_)) return *user;
  return ValueUnder(HKEY_LOCAL_MACHINE, key_, valueName_).value_or(1);
}

bool RegistrySwitch::Write(unsigned long value) const {
  OwnedKey key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, key.Receive(),
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const DWORD data = value;
  return RegSetValueExW(key.get(), valueName_.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                        sizeof(data)) == ERROR_SUCCESS;
}

void ShowSwitch(HMENU menu, UINT item, const RegistrySwitch& value) {
  CheckMenuItem(menu, item, MF_BYCOMMAND | (value.Read() != 0 ? MF_CHECKED : MF_UNCHECKED));
}

void ToggleSwitch(HMENU menu, UINT item, const RegistrySwitch& value) {
  const bool wasChecked = (GetMenuState(menu, item, MF_BYCOMMAND) & MF_CHECKED) != 0;
  CheckMenuItem(menu, item, MF_BYCOMMAND | (wasChecked ? MF_UNCHECKED : MF_CHECKED));
  if (value.Write(wasChecked ? 0 : 1)) return;
  // Not stored: the check mark keeps mirroring the stored value.
  CheckMenuItem(menu, item, MF_BYCOMMAND | (wasChecked ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace platform
