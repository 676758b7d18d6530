#pragma once

#include <string_view>

namespace exec {

// True when `name` stays one plain file name inside its folder on Windows:
// not empty, valid GBK, no character that Windows forbids in a name (\ / :
// * ? " < > | or a control byte), not "." or "..", not ending in a dot or a
// blank (Windows would drop them), and not a device name such as CON or
// LPT1. Anything else is never handed to the file system.
bool IsPlainFileName(std::string_view name);

}  // namespace exec
