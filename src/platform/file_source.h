// A file read a piece at a time, for the parameters file's line reader.
#pragma once

#include <windows.h>

#include <string>

#include "params/krnm_file.h"
#include "platform/owned_handles.h"

namespace platform {

class FileSource final : public params::ByteSource {
 public:
  // Opens the file without sharing; one that can't be opened reads as empty.
  explicit FileSource(const std::string& path);
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;
  // A read error ends the bytes, as the end of the file does.
  size_t Read(char* buffer, size_t size) override;
  // 0 for a file that could not be opened.
  unsigned long long Size() const;

 private:
  OwnedHandle file_;
};

}  // namespace platform
