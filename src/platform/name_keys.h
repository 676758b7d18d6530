// Names as the file system compares them: UTF-16 with letter case folded
// by the invariant upper-case table, filled once, so a key costs no system
// call: a preview of 100,000 rows folds 200,000 names.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

class NameKeys {
 public:
  // Sets `key`; false when some bytes of `text` are no character.
  bool FromGbk(std::string_view text, std::u16string& key);
  std::u16string FromWide(std::wstring_view wide);

 private:
  void Fold(std::u16string& units);
  std::vector<char16_t> upper_;
};

}  // namespace platform
