// Folder listings, drives and the program's own folder, with GBK names.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/file_calls.h"

namespace platform {

// Names of every file (not folder) in `folder` (a folder text), whatever
// its attributes, exactly as they are, in the order the file system gives
// them. A folder that can't be read gives no names.
std::vector<std::string> ListFileNames(std::string_view folder, FileCalls& calls = SystemFileCalls());
// Names of the sub-folders of `folder`, without "." and "..".
std::vector<std::string> ListSubfolderNames(std::string_view folder,
                                            FileCalls& calls = SystemFileCalls());

enum class DriveKind { Removable, Fixed, Network, CdRom, RamDisk, Other };
struct DriveInfo {
  char letter;        // upper case
  DriveKind kind;
  std::string label;  // volume label of a fixed disk; empty otherwise
};
// The logical drives in the order the system reports them.
std::vector<DriveInfo> ListDrives();

// The full path of the running executable.
std::wstring ExecutablePath();
// The folder of the running executable, without a trailing separator.
std::string ProgramFolder();
// The process's current folder, without a trailing separator (but "C:\").
std::string CurrentFolder();

}  // namespace platform
