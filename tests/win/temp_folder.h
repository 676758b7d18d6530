// A fresh folder of real files for one test, removed with everything in it
// at the end.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace testing_support {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  // The folder without a trailing separator, GBK.
  const std::string& path() const { return path_; }
  // Creates an empty file (or a sub-folder) named `name` (GBK).
  void AddFile(std::string_view name, DWORD attributes = FILE_ATTRIBUTE_NORMAL) const;
  void AddFolder(std::string_view name) const;
  // The path of `name` in the folder, for the file system, with \\?\ in front.
  std::wstring Wide(std::string_view name) const;

 private:
  std::string path_;
};

// Handles every message waiting for this thread.
void PumpMessages();

}  // namespace testing_support
