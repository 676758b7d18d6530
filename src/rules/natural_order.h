// The order in which a person reads names: runs of digits compare by their
// value ("2" before "10"; of equal values, the one with fewer leading
// zeros first, should nothing else tell them apart), every other
// character as the file box compares names (through its rank). Names are
// GBK; a character's bytes never split (a four-byte code's digit bytes are
// no digits).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace rules {

// Calls `each` with the bytes of every character of `name`, in order.
void ForEachCharacter(std::string_view name, const std::function<void(std::string_view)>& each);

// The place of a character (its GBK bytes) in the file box's order: equal
// characters (letter case ignored) have equal ranks, 1 to 2^31 - 1.
using CharacterRank = std::function<uint32_t(std::string_view character)>;

// The natural keys of a list of names, which must outlive them.
class NaturalKeys {
 public:
  NaturalKeys(const std::vector<std::string>& names, const CharacterRank& rank);
  // Negative, zero or positive as name `a` comes before, with or after
  // name `b`.
  int Compare(size_t a, size_t b) const;

 private:
  struct DigitRun {
    std::string_view significant;  // without its leading zeros
    uint32_t zeros;
    uint32_t rank;  // of its first digit, against another character
  };
  // Per name, a character's rank, or kDigitRun | the index of a digit run.
  static constexpr uint32_t kDigitRun = 0x80000000u;
  std::vector<std::vector<uint32_t>> keys_;
  std::vector<DigitRun> runs_;
};

// The rows of `names` in natural order, stable (equal names keep their
// order), backwards with `descending`.
std::vector<size_t> NaturalOrder(const std::vector<std::string>& names, const CharacterRank& rank,
                                 bool descending = false);

}  // namespace rules
