// What tells one file from another that later sits under the same name:
// taken from the folder listing a plan already makes, so no file is opened
// on its own.
#pragma once

#include <cstdint>

namespace exec {

// 24 bytes: a listing and a plan hold one per file.
struct FileIdentity {
  uint64_t size = 0;
  uint64_t lastWrite = 0;  // as the file system keeps it (100 ns since 1601 on Windows)
  uint64_t fileId = 0;     // 0 where the file system gives none
  // All zero: nothing was listed for it (a file of no size, time or ID
  // counts so too, and is then never taken for one a run renamed).
  bool known() const { return size != 0 || lastWrite != 0 || fileId != 0; }
  bool operator==(const FileIdentity&) const = default;
};

// The volume a folder lies on.
struct VolumeIdentity {
  uint32_t serial = 0;
  bool known = false;
  // A file keeps its ID across renames and edits (NTFS, ReFS); elsewhere
  // (FAT on a camera card) an ID says nothing.
  bool keepsFileIds = false;
};

// True when `now` is the file that was `was`: on a volume that keeps
// IDs, the same ID on the same volume (an edited file is still that file);
// else the same size and last-write time, on the same volume where both
// are known. No file is one that was not there (`was` not known); a file
// layer that lists no identities (`now` not known) leaves the name alone
// to tell.
bool IsSameFile(const FileIdentity& was, const VolumeIdentity& wasOn, const FileIdentity& now,
                const VolumeIdentity& nowOn);

}  // namespace exec
