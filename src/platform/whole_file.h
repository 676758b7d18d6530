// Writing a small file in one go.
#pragma once

#include <string>

namespace platform {

// Writes `bytes` to a new file beside `path` and only then puts it in place
// of `path`, so a failed or partial write leaves an existing file as it
// was. False when the file could not be written; a read-only file is
// never written over.
bool ReplaceWholeFile(const std::string& path, const std::string& bytes);

}  // namespace platform
