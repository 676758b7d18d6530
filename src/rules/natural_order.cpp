#include "rules/natural_order.h"

#include <algorithm>
#include <numeric>

#include "rules/gb18030.h"

namespace rules {
namespace {

bool IsDigit(char byte) { return byte >= '0' && byte <= '9'; }

// The bytes of the character at `at`: four for a four-byte code, two after
// any other lead byte, else one.
size_t CharacterSize(std::string_view text, size_t at) {
  if (static_cast<unsigned char>(text[at]) < 0x80) return 1;
  if (StartsWithFourByteCode(text.substr(at))) return 4;
  return std::min<size_t>(2, text.size() - at);
}

int Sign(int64_t value) { return value < 0 ? -1 : value > 0 ? 1 : 0; }

}  // namespace

void ForEachCharacter(std::string_view name, const std::function<void(std::string_view)>& each) {
  for (size_t at = 0; at < name.size();) {
    const size_t size = CharacterSize(name, at);
    each(name.substr(at, size));
    at += size;
  }
}

NaturalKeys::NaturalKeys(const std::vector<std::string>& names, const CharacterRank& rank) {
  keys_.reserve(names.size());
  for (const std::string& name : names) {
    std::vector<uint32_t> key;
    for (size_t at = 0; at < name.size();) {
      if (!IsDigit(name[at])) {
        const size_t size = CharacterSize(name, at);
        key.push_back(rank(std::string_view(name).substr(at, size)) & ~kDigitRun);
        at += size;
        continue;
      }
      size_t end = at;
      while (end < name.size() && IsDigit(name[end])) ++end;
      const std::string_view run = std::string_view(name).substr(at, end - at);
      const size_t first = std::min(run.find_first_not_of('0'), run.size());
      key.push_back(kDigitRun | static_cast<uint32_t>(runs_.size()));
      runs_.push_back({run.substr(first), static_cast<uint32_t>(first), rank(run.substr(0, 1)) & ~kDigitRun});
      at = end;
    }
    key.shrink_to_fit();
    keys_.push_back(std::move(key));
  }
}

int NaturalKeys::Compare(size_t a, size_t b) const {
  const std::vector<uint32_t>& x = keys_[a];
  const std::vector<uint32_t>& y = keys_[b];
  int zeros = 0;  // the first difference in leading zeros
  for (size_t i = 0; i < x.size() && i < y.size(); ++i) {
    const DigitRun* dx = (x[i] & kDigitRun) ? &runs_[x[i] & ~kDigitRun] : nullptr;
    const DigitRun* dy = (y[i] & kDigitRun) ? &runs_[y[i] & ~kDigitRun] : nullptr;
    if (dx && dy) {
      if (dx->significant.size() != dy->significant.size()) {
        return dx->significant.size() < dy->significant.size() ? -1 : 1;
      }
      if (const int value = dx->significant.compare(dy->significant); value != 0) return Sign(value);
      if (zeros == 0) zeros = Sign(int64_t{dx->zeros} - int64_t{dy->zeros});
      continue;
    }
    const uint32_t rx = dx ? dx->rank : x[i];
    const uint32_t ry = dy ? dy->rank : y[i];
    if (rx != ry) return rx < ry ? -1 : 1;
  }
  if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
  return zeros;
}

std::vector<size_t> NaturalOrder(const std::vector<std::string>& names, const CharacterRank& rank,
                                 bool descending) {
  const NaturalKeys keys(names, rank);
  std::vector<size_t> order(names.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    const int compared = keys.Compare(a, b);
    return descending ? compared > 0 : compared < 0;
  });
  return order;
}

}  // namespace rules
