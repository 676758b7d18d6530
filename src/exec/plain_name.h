#pragma once

#include <cstddef>
#include <string_view>

namespace exec {

// Windows takes no longer name for one entry of a folder.
inline constexpr size_t kLongestName = 255;

// True when a name, given as UTF-16 with letter case folded (the form of
// FileOperations::NameKey), stays one plain file name inside its folder on
// Windows: not empty, at most kLongestName units, no character that
// Windows forbids in a name (\ / : * ? " < > | or a control character),
// not "." or "..", not ending in a dot or a blank (Windows would drop
// them), and not a device name such as CON or LPT1. Anything else is never
// handed to the file system.
bool IsPlainFileName(std::u16string_view folded);

}  // namespace exec
