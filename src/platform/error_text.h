// What a system error means, in one line the user can read.
#pragma once

#include <windows.h>

#include <string>

namespace platform {

// The system's own text for `error` (in the user's language), its line
// breaks made blanks; its code when the system has none (GBK).
std::string ErrorText(DWORD error);

}  // namespace platform
