// A switch of the user's in the registry: a DWORD value under
// HKEY_CURRENT_USER, or else the machine's, under HKEY_LOCAL_MACHINE (the
// start-up logo flag, whether the rename history is kept).
#pragma once

#include <windows.h>

#include <string>

namespace platform {

class RegistrySwitch {
 public:
  // Key path and value name in one text, split at its last backslash.
  explicit RegistrySwitch(std::string location);
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

// Sets the check mark of `item` in `menu` from the switch (on: any value but 0).
void ShowSwitch(HMENU menu, UINT item, const RegistrySwitch& value);
// Flips the check mark of `item` and stores the new state (0 or 1) as the
// user's. When the store fails the check mark goes back.
void ToggleSwitch(HMENU menu, UINT item, const RegistrySwitch& value);

}  // namespace platform
