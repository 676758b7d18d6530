#include "platform/gbk_convert.h"

#include <windows.h>

#include <vector>

namespace platform {
namespace {

// Converts every candidate (one byte, or a lead byte and a trail byte of
// the code page's range, which is never a lead byte where it splits) in
// two system calls: the candidates separated by zero bytes go to UTF-16,
// the single units that came out go back, and a candidate counts where
// both ways agree.
void ReadCandidates(const std::vector<unsigned>& candidates, rules::CodePage936& table) {
  std::string bytes;
  for (unsigned candidate : candidates) {
    if (candidate > 0xFF) bytes.push_back(static_cast<char>(candidate >> 8));
    bytes.push_back(static_cast<char>(candidate & 0xFF));
    bytes.push_back('\0');
  }
  const int size = static_cast<int>(bytes.size());
  std::wstring wide(bytes.size(), L'\0');
  wide.resize(static_cast<size_t>(
      MultiByteToWideChar(kGbkCodePage, 0, bytes.data(), size, wide.data(), size)));

  // One unit per candidate, or 0 where it did not give exactly one.
  std::wstring units;
  for (size_t start = 0, candidate = 0; start <= wide.size() && candidate < candidates.size(); ++candidate) {
    const size_t end = std::min(wide.find(L'\0', start), wide.size());
    units.push_back(end - start == 1 ? wide[start] : L'\0');
    start = end + 1;
  }
  units.resize(candidates.size(), L'\0');

  std::wstring separated;
  for (wchar_t unit : units) {
    separated.push_back(unit == L'\0' ? L'?' : unit);
    separated.push_back(L'\0');
  }
  const int wideSize = static_cast<int>(separated.size());
  std::string back(separated.size() * 2, '\0');
  back.resize(static_cast<size_t>(WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS,
                                                      separated.data(), wideSize, back.data(),
                                                      static_cast<int>(back.size()), nullptr, nullptr)));
  size_t start = 0;
  for (size_t i = 0; i < candidates.size(); ++i) {
    const size_t end = std::min(back.find('\0', start), back.size());
    const std::string_view code(back.data() + start, end - start);
    start = end + 1;
    const unsigned candidate = candidates[i];
    const bool pair = candidate > 0xFF;
    const bool same = code.size() == (pair ? 2u : 1u) &&
                      static_cast<unsigned char>(code.back()) == (candidate & 0xFF) &&
                      (!pair || static_cast<unsigned char>(code[0]) == (candidate >> 8));
    if (units[i] == L'\0' || !same) continue;
    if (pair) {
      table.pairs[candidate] = static_cast<char16_t>(units[i]);
    } else {
      table.bytes[candidate] = static_cast<char16_t>(units[i]);
    }
  }
}

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
  ReadCandidates(candidates, table);
  return table;
}

}  // namespace

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
