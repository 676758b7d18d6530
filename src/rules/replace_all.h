// Replace-all from the left: each pass replaces the first occurrence the
// search finds from the name's beginning, until none is left.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace rules {

// Past this many passes a name is taken as endless.
inline constexpr int kMaxReplacePasses = 100000;
// No file name is longer: 255 UTF-16 units, and no character takes more
// than four bytes.
inline constexpr size_t kLongestNameBytes = 4 * 255;

// The name once no occurrence is left; nullopt when that takes more than
// kMaxReplacePasses passes. A name that grows stops growing once it is
// longer than kLongestNameBytes (it could never shrink again, and can only
// be refused): the result is then the name as it stands at that pass.
std::optional<std::string> ReplaceAllFromLeft(std::string_view name, std::string_view search,
                                              std::string_view replacement, bool ignoreCase);

}  // namespace rules
