// The start-up logo flag: a DWORD value of the user's, under
// HKEY_CURRENT_USER, or else the machine's, under HKEY_LOCAL_MACHINE.
#pragma once

#include <string>

namespace logo {

// Key path and value name in one text, split at its last backslash.
inline constexpr char kFlagLocation[] = "software\\Larkvale\\RNTOOL\\logo";

class StartupFlag {
 public:
  explicit StartupFlag(std::string location = kFlagLocation);
  // The user's value when there is one, else the machine's (an installer's
  // or an administrator's); 1 when neither is, or the one read is not a
  // DWORD.
  unsigned long Read() const;
  // Writes the user's DWORD (no rights needed), creating the key when
  // needed; false when it failed.
  bool Write(unsigned long value) const;

 private:
  std::wstring key_;
  std::wstring valueName_;
};

}  // namespace logo
