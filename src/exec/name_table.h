// What the planner knows of each distinct name (folded): how many entries
// of the folder have it, which picked row's file holds it, which row
// claims it as a target, whose short name it is. Open addressing over views of keys that the
// caller keeps alive, so a name costs no allocation: planning 100,000 rows
// stays a few passes over arrays.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace exec {

inline constexpr uint32_t kNoRow = UINT32_MAX;
// A name that two picked files hold (a case-sensitive folder can do that).
inline constexpr uint32_t kSharedName = UINT32_MAX - 1;

class NameTable {
 public:
  struct Entry {
    std::u16string_view key;
    uint32_t hash = 0;
    uint32_t inFolder = 0;
    uint32_t holder = kNoRow;
    uint32_t claimant = kNoRow;
    uint32_t entry = kNoRow;    // the first entry of the folder with the name
    // Some entry's 8.3 short name: the picked row whose file it is, else
    // kSharedName; kNoRow for none.
    uint32_t shortOf = kNoRow;
  };

  // Room for `names` distinct names before it grows.
  explicit NameTable(size_t names);
  // The entry of `key`, made empty when the name is new. Entries found
  // before may move.
  Entry& Add(std::u16string_view key);
  // The entry of `key`, or nothing.
  Entry* Find(std::u16string_view key);
  // The index of `key`'s entry (it stays while entries are added), or kNoRow.
  uint32_t IndexOf(std::u16string_view key) const;
  Entry& At(uint32_t index) { return entries_[index]; }
  const Entry& At(uint32_t index) const { return entries_[index]; }

 private:
  static constexpr uint32_t kEmpty = UINT32_MAX;
  size_t SlotOf(std::u16string_view key, uint32_t hash) const;
  void Grow();

  std::vector<uint32_t> slots_;  // index into entries_, or kEmpty
  std::vector<Entry> entries_;
  size_t mask_;
};

}  // namespace exec
