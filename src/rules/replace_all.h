// Replace-all from the left: each pass replaces the first occurrence the
// search finds from the name's beginning, until none is left.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rules {

// Past this many passes a name is taken as endless.
inline constexpr int kMaxReplacePasses = 100000;

// The name once no occurrence is left; nullopt when that takes more than
// kMaxReplacePasses passes. The result may be longer than any file name:
// the name test refuses it then.
std::optional<std::string> ReplaceAllFromLeft(std::string_view name, std::string_view search,
                                              std::string_view replacement, bool ignoreCase);

}  // namespace rules
