#include "platform/list_order.h"

#include <windows.h>

#include <algorithm>
#include <numeric>

#include "platform/gbk_convert.h"

namespace platform {
namespace {

// The key under which a list box sorts a text: comparing two keys byte by
// byte gives what CompareStringW gives for the texts.
std::string SortKey(const std::wstring& text) {
  constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
  const int size = LCMapStringW(LOCALE_USER_DEFAULT, kFlags, text.c_str(),
                                static_cast<int>(text.size()), nullptr, 0);
  std::string key(static_cast<size_t>(std::max(size, 0)), '\0');
  LCMapStringW(LOCALE_USER_DEFAULT, kFlags, text.c_str(), static_cast<int>(text.size()),
               reinterpret_cast<LPWSTR>(key.data()), size);
  return key;
}

}  // namespace

void SortLikeListBox(std::vector<std::string>& names) {
  std::vector<std::string> keys;
  keys.reserve(names.size());
  for (const std::string& name : names) keys.push_back(SortKey(platform::ToWide(name)));
  std::vector<size_t> order(names.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return keys[a] < keys[b]; });
  // Within the run of names that compare equal to one, it may have come before.
  std::vector<bool> repeated(order.size(), false);
  for (size_t at = 1; at < order.size(); ++at) {
    for (size_t before = at; before-- > 0 && keys[order[before]] == keys[order[at]];) {
      if (names[order[before]] == names[order[at]]) repeated[at] = true;
    }
  }
  std::vector<std::string> sorted;
  sorted.reserve(names.size());
  for (size_t at = 0; at < order.size(); ++at) {
    if (!repeated[at]) sorted.push_back(std::move(names[order[at]]));
  }
  names = std::move(sorted);
}

}  // namespace platform
