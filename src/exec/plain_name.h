#pragma once

#include <cstddef>
#include <string_view>

namespace exec {

// Windows takes no longer name for one entry of a folder.
inline constexpr size_t kLongestName = 255;
// Nor a longer path, in UTF-16 units, prefix included.
inline constexpr size_t kLongestPath = 32767;

// True when a name, given as UTF-16 with letter case folded (the form of
// FileOperations::NameKey), stays one plain file name inside its folder on
// Windows: not empty, no character that Windows forbids in a name
// (\ / : * ? " < > | or a control character), not "." or "..", not ending
// in a dot or a blank (Windows would drop them), and not a device name
// such as CON, LPT1 or COM with a superscript 2 (with or without an
// extension). Anything else is never given as a new name.
bool IsPlainFileName(std::u16string_view folded);

// True when a name that a file had on disk can be given back to it: one
// name inside the folder (not empty, not "." or "..", no separator), as
// the file system held it, trailing dots and blanks included.
bool IsFormerName(std::u16string_view folded);

// True when the file system takes a name of `nameUnits` in a folder whose
// path takes `folderUnits`.
constexpr bool FitsInFolder(size_t folderUnits, size_t nameUnits) {
  return nameUnits <= kLongestName && folderUnits + nameUnits <= kLongestPath;
}

}  // namespace exec
