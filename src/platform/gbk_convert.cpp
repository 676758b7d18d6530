#include "platform/gbk_convert.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace platform {
namespace {

// Each candidate is one byte, or a lead byte and a trail byte of the code
// page's range (never a lead byte where the pair splits). Converting them
// one at a time would take 48,000 calls; instead, candidates separated by
// zero bytes go to UTF-16 in one call and back in another, and a candidate
// counts where both ways agree and the strict conversion takes it.

std::string Joined(const std::vector<unsigned>& candidates, size_t first, size_t count) {
  std::string bytes;
  for (size_t i = first; i < first + count; ++i) {
    if (candidates[i] > 0xFF) bytes.push_back(static_cast<char>(candidates[i] >> 8));
    bytes.push_back(static_cast<char>(candidates[i] & 0xFF));
    bytes.push_back('\0');
  }
  return bytes;
}

// The one unit each candidate converts to, or 0 where it gives no single one.
std::wstring UnitsOf(const std::vector<unsigned>& candidates) {
  const std::string bytes = Joined(candidates, 0, candidates.size());
  const int size = static_cast<int>(bytes.size());
  std::wstring wide(bytes.size(), L'\0');
  wide.resize(static_cast<size_t>(
      MultiByteToWideChar(kGbkCodePage, 0, bytes.data(), size, wide.data(), size)));
  std::wstring units;
  for (size_t start = 0; start <= wide.size() && units.size() < candidates.size();) {
    const size_t end = std::min(wide.find(L'\0', start), wide.size());
    units.push_back(end - start == 1 ? wide[start] : L'\0');
    start = end + 1;
  }
  units.resize(candidates.size(), L'\0');
  return units;
}

// Clears the units that do not convert back to their own candidate.
void KeepRoundTrips(const std::vector<unsigned>& candidates, std::wstring& units) {
  std::wstring separated;
  for (wchar_t unit : units) {
    separated.push_back(unit == L'\0' ? L'?' : unit);
    separated.push_back(L'\0');
  }
  const int size = static_cast<int>(separated.size());
  std::string back(separated.size() * 2, '\0');
  back.resize(static_cast<size_t>(WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS,
                                                      separated.data(), size, back.data(),
                                                      static_cast<int>(back.size()), nullptr, nullptr)));
  size_t start = 0;
  for (size_t i = 0; i < candidates.size(); ++i) {
    const size_t end = std::min(back.find('\0', start), back.size());
    const std::string code = back.substr(start, end - start);
    start = end + 1;
    std::string own = Joined(candidates, i, 1);
    own.pop_back();  // its separator
    if (code != own) units[i] = L'\0';
  }
}

// Clears the units of candidates that the strict conversion (invalid
// characters are errors) refuses, halving the range until each is found.
void KeepStrict(const std::vector<unsigned>& candidates, size_t first, size_t count, std::wstring& units) {
  const std::string bytes = Joined(candidates, first, count);
  const int size = static_cast<int>(bytes.size());
  if (MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0) > 0) {
    return;
  }
  if (count == 1) {
    units[first] = L'\0';
    return;
  }
  KeepStrict(candidates, first, count / 2, units);
  KeepStrict(candidates, first + count / 2, count - count / 2, units);
}

}  // namespace

rules::CodePage936 SystemCodePage() {
  rules::CodePage936 table;
  std::vector<unsigned> candidates;
  for (unsigned byte = 1; byte < 0x100; ++byte) {
    table.leads[byte] = IsDBCSLeadByteEx(kGbkCodePage, static_cast<BYTE>(byte)) != FALSE;
    if (!table.leads[byte]) {
      candidates.push_back(byte);
      continue;
    }
    for (unsigned trail = 0x40; trail < 0xFF; ++trail) candidates.push_back(byte << 8 | trail);
  }
  std::wstring units = UnitsOf(candidates);
  KeepRoundTrips(candidates, units);
  std::vector<unsigned> kept;
  std::wstring keptUnits;
  for (size_t i = 0; i < candidates.size(); ++i) {
    if (units[i] == L'\0') continue;
    kept.push_back(candidates[i]);
    keptUnits.push_back(units[i]);
  }
  KeepStrict(kept, 0, kept.size(), keptUnits);
  for (size_t i = 0; i < kept.size(); ++i) {
    auto& slot = kept[i] > 0xFF ? table.pairs[kept[i]] : table.bytes[kept[i]];
    slot = static_cast<char16_t>(keptUnits[i]);
  }
  return table;
}

const rules::TextCodec& Codec() {
  static const rules::TextCodec codec(SystemCodePage());
  return codec;
}

std::wstring ToWide(std::string_view text) {
  const std::u16string wide = Codec().ToUtf16Shown(text);
  return std::wstring(wide.begin(), wide.end());
}

std::string ToGbk(std::wstring_view wide) {
  return Codec().FromUtf16(std::u16string(wide.begin(), wide.end()));
}

std::optional<std::wstring> ToWideExactly(std::string_view text) {
  std::u16string wide;
  if (!Codec().ToUtf16(text, wide)) return std::nullopt;
  return std::wstring(wide.begin(), wide.end());
}

}  // namespace platform
