// What batch rename and undo need of the file system. (What they say to
// whoever drives them is in run_contract.h.)
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "exec/file_identity.h"

namespace exec {

// What became of one rename.
struct RenameOutcome {
  bool done = false;
  // Not done, and the file is neither at its source nor at its target: a
  // change of letter case got half way and could not go back. Its name in
  // the folder now.
  std::string strandedAs;
};

// Many keys in one buffer: the names of a folder of 100,000 entries cost
// one run of units and an end each, not a string each.
class KeyList {
 public:
  size_t size() const { return ends_.size(); }
  bool empty() const { return ends_.empty(); }
  std::u16string_view operator[](size_t index) const {
    const size_t start = index == 0 ? 0 : ends_[index - 1];
    return std::u16string_view(units_).substr(start, ends_[index] - start);
  }
  void push_back(std::u16string_view key) {
    units_.append(key);
    ends_.push_back(static_cast<uint32_t>(units_.size()));
  }

 private:
  std::u16string units_;
  std::vector<uint32_t> ends_;
};

// A folder as the planner sees it.
struct FolderListing {
  // The name of every entry (files and sub-folders alike) as the file
  // system compares names: UTF-16 with letter case folded.
  KeyList keys;
  // The UTF-16 units of the folder's path as the file system gets it.
  size_t pathUnits = 0;
  // Entry i's identity, for every entry, where the file layer gives them;
  // else empty.
  std::vector<FileIdentity> identities;
  // The 8.3 short names (folded) that entries have besides their long
  // names, with the index of the entry: a new name may not take one.
  std::vector<std::pair<uint32_t, std::u16string>> shortKeys;
  VolumeIdentity volume;
  // False when the folder itself could not be opened (its path or volume
  // not there, the network down, access refused), as against empty.
  bool reached = true;
};

// Called with the middle name of a change of letter case before the file
// first moves there, so that a journal knows where it may be.
using BeforeMiddleName = std::function<void(const std::string& middle)>;

// Every call names a folder (a folder text, as FolderPath holds it) and
// names inside it; how the two become a path is the file system's affair.
class FileOperations {
 public:
  virtual ~FileOperations() = default;
  // True when an entry named `name` exists in `folder`.
  virtual bool Exists(const std::string& folder, const std::string& name) = 0;
  // Renames one file of `folder`, never replacing an existing one.
  // Succeeds when source and target are the same file; a change of letter
  // case really reaches the disk; where that takes a middle name,
  // `beforeMiddle` hears it first.
  virtual RenameOutcome Rename(const std::string& folder, const std::string& from, const std::string& to,
                               const BeforeMiddleName& beforeMiddle) = 0;
  virtual FolderListing ListFolder(const std::string& folder) = 0;
  // The name, in the letter case the folder holds it, of the entry that
  // `name` finds in `folder`; nothing when there is none.
  virtual std::optional<std::string> NameOnDisk(const std::string& folder, const std::string& name) = 0;
  // Sets `key` to `name` folded the way ListFolder folds; false when some
  // bytes of the name are no character. (One buffer serves many names, so
  // a key costs no allocation.)
  virtual bool NameKey(std::string_view name, std::u16string& key) = 0;
};

}  // namespace exec
