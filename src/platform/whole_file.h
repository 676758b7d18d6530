// Reading and writing a small file in one go.
#pragma once

#include <optional>
#include <string>

namespace platform {

// All bytes of the file, opened without sharing; nothing when it can't be
// opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Writes `bytes` to a new file beside `path` and only then puts it in place
// of `path`, so a failed or partial write leaves an existing file as it
// was. False when the file could not be written; a read-only file is
// never written over.
bool ReplaceWholeFile(const std::string& path, const std::string& bytes);

}  // namespace platform
