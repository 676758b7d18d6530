#include "rules/replace_all.h"

#include <vector>

#include "rules/gbk_text.h"

namespace rules {
namespace {

// The name split at a cursor that always stands at a character start, with
// no occurrence starting before it. A pass searches on from the cursor
// instead of from the beginning: after a replacement at the cursor, a new
// occurrence can only start within search-length bytes before it, since
// the text before that is unchanged and held none. So a name costs time in
// proportion to its length and its passes, not to both multiplied, and
// even 100,000 passes of a growing name stay quick.
class Cursor {
 public:
  explicit Cursor(std::string_view name) : right_(name.rbegin(), name.rend()) {}

  // True when an occurrence starts at the cursor.
  bool AtOccurrence(std::string_view search, bool ignoreCase) const {
    if (right_.size() < search.size()) return false;
    for (size_t i = 0; i < search.size(); ++i) {
      if (!EqualBytes(right_[right_.size() - 1 - i], search[i], ignoreCase)) return false;
    }
    return true;
  }
  // Steps over one character as the search does; false at the end, or at a
  // lead byte that ends the name (the search stops there).
  bool StepForward(size_t searchSize) {
    if (right_.size() < searchSize || right_.empty()) return false;
    const size_t size = IsOperationLeadByte(right_.back()) ? 2 : 1;
    if (right_.size() < size) return false;
    for (size_t i = 0; i < size; ++i) {
      left_.push_back(right_.back());
      right_.pop_back();
    }
    sizes_.push_back(static_cast<unsigned char>(size));
    return right_.size() >= searchSize;
  }
  void Replace(size_t searchSize, std::string_view replacement) {
    right_.resize(right_.size() - searchSize);
    right_.append(replacement.rbegin(), replacement.rend());
  }
  // Back to a character start at least `bytes` before (or the beginning).
  void StepBack(size_t bytes) {
    size_t back = 0;
    while (back < bytes && !sizes_.empty()) {
      for (unsigned char i = 0; i < sizes_.back(); ++i) {
        right_.push_back(left_.back());
        left_.pop_back();
      }
      back += sizes_.back();
      sizes_.pop_back();
    }
  }
  std::string Text() const { return left_ + std::string(right_.rbegin(), right_.rend()); }
  size_t Size() const { return left_.size() + right_.size(); }

 private:
  std::string left_;
  std::string right_;  // reversed: the byte at the cursor is the last
  std::vector<unsigned char> sizes_;  // of the characters in left_
};

}  // namespace

std::optional<std::string> ReplaceAllFromLeft(std::string_view name, std::string_view search,
                                              std::string_view replacement, bool ignoreCase) {
  Cursor cursor(name);
  const bool grows = replacement.size() > search.size();
  for (int pass = 0;; ++pass) {
    if (grows && cursor.Size() > kLongestNameBytes) return cursor.Text();
    bool found = cursor.AtOccurrence(search, ignoreCase);
    while (!found && cursor.StepForward(search.size())) found = cursor.AtOccurrence(search, ignoreCase);
    if (!found) return cursor.Text();
    if (pass == kMaxReplacePasses) return std::nullopt;
    cursor.Replace(search.size(), replacement);
    cursor.StepBack(search.size() - 1);
  }
}

}  // namespace rules
