// The file operations of batch rename and undo on the Windows file system.
#pragma once

#include <optional>
#include <string>

#include "exec/rename_ports.h"
#include "platform/file_calls.h"
#include "platform/name_keys.h"

namespace platform {

// Every path it hands to the system is a folder made by FileSystemFolder
// (once for each folder text in a row) followed by a name as it stands.
class WindowsFiles final : public exec::FileOperations {
 public:
  explicit WindowsFiles(FileCalls& calls = SystemFileCalls()) : calls_(calls) {}

  // True when an entry exists under that very name; no wildcard is looked at.
  bool Exists(const std::string& folder, const std::string& name) override;
  // MoveFileExW without replacing. A change of letter case is one rename
  // where the folder then holds the new case (NTFS); where it does not
  // (Wine, some shares report success and keep the case) it goes through a
  // free middle name in the same folder that starts with the file's own
  // name; if the second step fails, the file gets its original name back,
  // or else the outcome names where it is.
  exec::RenameOutcome Rename(const std::string& folder, const std::string& from, const std::string& to,
                             const exec::BeforeMiddleName& beforeMiddle) override;
  // Names, short names, sizes, times and file IDs in one pass over the
  // folder, with its volume's serial and whether it keeps file IDs.
  exec::FolderListing ListFolder(const std::string& folder) override;
  std::optional<std::string> NameOnDisk(const std::string& folder, const std::string& name) override;
  bool NameKey(std::string_view name, std::u16string& key) override;

 private:
  // The path of a folder text, or nothing when it is no exact text.
  const std::optional<std::wstring>& PathOf(const std::string& folder);
  exec::RenameOutcome RenameCaseOnly(const std::wstring& folder, const std::wstring& from,
                                     const std::wstring& to, const exec::BeforeMiddleName& beforeMiddle);
  bool EntryExists(const std::wstring& path) { return calls_.Attributes(path) != INVALID_FILE_ATTRIBUTES; }
  // The entry's name as the folder holds it.
  std::optional<std::wstring> EntryName(const std::wstring& folder, const std::wstring& name);

  FileCalls& calls_;
  NameKeys keys_;
  std::string folderText_;
  std::optional<std::wstring> folderPath_;
  bool folderKnown_ = false;
};

}  // namespace platform
