// The file operations of batch rename and undo on the Windows file system.
#pragma once

#include "exec/rename_ports.h"
#include "platform/name_keys.h"

namespace platform {

class WindowsFiles final : public exec::FileOperations {
 public:
  // True when an entry exists at the path; no wildcard is looked at, so a
  // name holding "?" (a character GBK can't show) matches nothing else.
  bool Exists(const std::string& path) override;
  // MoveFileW without replacing. A change of letter case only goes through
  // a free middle name in the same folder that starts with the file's own
  // name, since some file systems (and Wine) report success without
  // changing the case; if the second step fails, the file gets its
  // original name back, or else the outcome names where it is.
  exec::RenameOutcome Rename(const std::string& from, const std::string& to) override;
  std::vector<std::u16string> ListEntryKeys(const std::string& folder) override;
  bool NameKey(std::string_view name, std::u16string& key) override;

 private:
  NameKeys keys_;
};

}  // namespace platform
