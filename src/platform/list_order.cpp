#include "platform/list_order.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <unordered_map>

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

rules::CharacterRank ListBoxRanks(const std::vector<std::string>& names) {
  auto ranks = std::make_shared<std::unordered_map<std::string, uint32_t>>();
  std::vector<std::string> characters;
  for (const std::string& name : names) {
    rules::ForEachCharacter(name, [&](std::string_view character) {
      if (ranks->emplace(std::string(character), 0).second) characters.emplace_back(character);
    });
  }
  std::vector<std::string> keys;
  keys.reserve(characters.size());
  for (const std::string& character : characters) keys.push_back(SortKey(ToWide(character)));
  std::vector<size_t> order(characters.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return keys[a] < keys[b]; });
  uint32_t rank = 0;
  for (size_t at = 0; at < order.size(); ++at) {
    if (at == 0 || keys[order[at]] != keys[order[at - 1]]) ++rank;  // equal characters share a rank
    (*ranks)[characters[order[at]]] = rank;
  }
  return [ranks](std::string_view character) {
    const auto found = ranks->find(std::string(character));
    return found == ranks->end() ? 0x7FFFFFFFu : found->second;
  };
}

}  // namespace platform
