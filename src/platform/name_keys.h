// Names as the file system compares them: UTF-16 with letter case folded
// by the invariant upper-case table. Built from tables that code page 936
// and that upper-case table fill once (a row of the code page the first
// time a name uses its lead byte), so a key costs no system call: a
// preview of 100,000 rows folds 200,000 names.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class NameKeys {
 public:
  // Sets `key`; false when code page 936 can't carry `gbk` to UTF-16 and
  // back without loss.
  bool FromGbk(std::string_view gbk, std::u16string& key);
  std::u16string FromWide(std::wstring_view wide);

 private:
  static constexpr char16_t kNoCharacter = 0;
  using Row = std::array<char16_t, 256>;

  char16_t Upper(char16_t unit);
  // The characters that `lead` starts, by trail byte; kNoCharacter where
  // the pair is not one exact character.
  const Row& DoubleByteRow(unsigned char lead);
  struct Bytes {
    Row single;  // the character a byte that leads nothing is, or kNoCharacter
    std::array<bool, 256> lead;
  };
  const Bytes& ByteTable();

  std::vector<char16_t> upper_;
  std::unique_ptr<Bytes> bytes_;
  std::array<std::unique_ptr<Row>, 256> rows_;
};

}  // namespace platform
