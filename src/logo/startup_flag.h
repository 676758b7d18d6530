// The start-up logo flag: a DWORD value under HKEY_LOCAL_MACHINE.
#pragma once

#include <string>

namespace logo {

// Key path and value name in one text, split at its last backslash.
inline constexpr char kFlagLocation[] = "software\\Larkvale\\RNTOOL\\logo";

class StartupFlag {
 public:
  explicit StartupFlag(std::string location = kFlagLocation);
  // 1 when the key or value is missing or the value is not a DWORD.
  unsigned long Read() const;
  // Writes the DWORD, creating the key when needed; false when it failed.
  bool Write(unsigned long value) const;

 private:
  std::wstring key_;
  std::wstring valueName_;
};

}  // namespace logo
