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

namespace {

// A character's bytes as one number: one, two and four-byte characters
// never share one (a lead byte is 0x81 or more, a four-byte code's second
// byte a digit).
uint32_t CharacterCode(std::string_view character) {
  uint32_t code = 0;
  for (const char byte : character) code = code << 8 | static_cast<unsigned char>(byte);
  return code;
}

// Ranks by code: a table for the one and two-byte characters (every name
// has them), a map for the four-byte codes (few names do).
struct Ranks {
  std::vector<uint32_t> shortCodes = std::vector<uint32_t>(size_t{1} << 16, 0);
  std::unordered_map<uint32_t, uint32_t> fourByteCodes;
  uint32_t& operator[](uint32_t code) { return code < (1u << 16) ? shortCodes[code] : fourByteCodes[code]; }
};

}  // namespace

rules::CharacterRank ListBoxRanks(const std::vector<std::string>& names) {
  auto ranks = std::make_shared<Ranks>();
  constexpr uint32_t kSeen = 1;
  std::vector<std::string> characters;
  for (const std::string& name : names) {
    rules::ForEachCharacter(name, [&](std::string_view character) {
      uint32_t& rank = (*ranks)[CharacterCode(character)];
      if (rank == 0) characters.emplace_back(character);
      rank = kSeen;
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
    (*ranks)[CharacterCode(characters[order[at]])] = rank;
  }
  return [ranks](std::string_view character) {
    const uint32_t rank = (*ranks)[CharacterCode(character)];
    return rank != 0 ? rank : 0x7FFFFFFFu;
  };
}

}  // namespace platform
