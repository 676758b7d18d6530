#include "rules/text_codec.h"

#include "rules/gb18030.h"

namespace rules {
namespace {

constexpr char16_t kShownForNoCharacter = u'\uFFFD';

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

TextCodec::TextCodec(CodePage936 table) : table_(std::move(table)), codes_(0x10000, 0) {
  for (unsigned byte = 0x80; byte < 0x100; ++byte) {
    if (!table_.leads[byte] && table_.bytes[byte]) codes_[table_.bytes[byte]] = static_cast<uint16_t>(byte);
  }
  for (unsigned pair = 0; pair < 0x10000; ++pair) {
    // A trail byte that is a digit would read as the start of a four-byte code.
    if (IsFourByteDigit(static_cast<unsigned char>(pair & 0xFF))) table_.pairs[pair] = 0;
    const char16_t unit = table_.pairs[pair];
    if (unit >= 0x80 && table_.leads[pair >> 8] && codes_[unit] == 0) {
      codes_[unit] = static_cast<uint16_t>(pair);
    }
  }
}

bool TextCodec::HasUnitCode(char16_t unit) const {
  return unit >= 0x80 && codes_[unit] == 0 && !PlaneZeroIndexOf(unit);
}

size_t TextCodec::NextFourByteCharacter(std::string_view text, char16_t (&units)[2],
                                        size_t& unitCount) const {
  const uint32_t index = FourByteIndex(text);
  unitCount = 1;
  if (index < kPlaneZeroCodes) {
    // Only a character that code page 936 lacks: its code there is its only form.
    const auto character = PlaneZeroCharacterOf(index);
    if (!character || codes_[*character] != 0) return 0;
    units[0] = *character;
    return 4;
  }
  if (index < kUnitCodesEnd) {
    const auto unit = static_cast<char16_t>(index - kPlaneZeroCodes);
    if (!HasUnitCode(unit)) return 0;
    units[0] = unit;
    return 4;
  }
  if (index >= kSupplementaryStart && index - kSupplementaryStart < 0x100000) {
    const uint32_t offset = index - kSupplementaryStart;
    units[0] = static_cast<char16_t>(0xD800 + (offset >> 10));
    units[1] = static_cast<char16_t>(0xDC00 + (offset & 0x3FF));
    unitCount = 2;
    return 4;
  }
  return 0;
}

size_t TextCodec::NextCharacter(std::string_view text, char16_t (&units)[2], size_t& unitCount) const {
  const auto byte = static_cast<unsigned char>(text[0]);
  unitCount = 1;
  if (byte < 0x80) {
    units[0] = byte;
    return 1;
  }
  if (StartsWithFourByteCode(text)) return NextFourByteCharacter(text, units, unitCount);
  if (!table_.leads[byte]) {
    units[0] = table_.bytes[byte];
    return units[0] ? 1 : 0;
  }
  if (text.size() < 2) return 0;
  units[0] = table_.pairs[byte << 8 | static_cast<unsigned char>(text[1])];
  return units[0] ? 2 : 0;
}

bool TextCodec::ToUtf16(std::string_view text, std::u16string& out) const {
  char16_t units[2];
  size_t unitCount = 0;
  for (size_t i = 0; i < text.size();) {
    const size_t used = NextCharacter(text.substr(i), units, unitCount);
    if (used == 0) return false;
    out.append(units, unitCount);
    i += used;
  }
  return true;
}

std::u16string TextCodec::ToUtf16Shown(std::string_view text) const {
  std::u16string out;
  out.reserve(text.size());
  char16_t units[2];
  size_t unitCount = 0;
  for (size_t i = 0; i < text.size();) {
    const size_t used = NextCharacter(text.substr(i), units, unitCount);
    if (used == 0) {
      out.push_back(kShownForNoCharacter);
      ++i;
      continue;
    }
    out.append(units, unitCount);
    i += used;
  }
  return out;
}

void TextCodec::AppendCode(char16_t unit, std::string& out) const {
  if (unit < 0x80) {
    out.push_back(static_cast<char>(unit));
    return;
  }
  if (const uint16_t code = codes_[unit]; code != 0) {
    if (code >= 0x100) out.push_back(static_cast<char>(code >> 8));
    out.push_back(static_cast<char>(code & 0xFF));
    return;
  }
  const auto index = PlaneZeroIndexOf(unit);
  char bytes[4];
  WriteFourByteCode(index ? *index : kPlaneZeroCodes + unit, bytes);
  out.append(bytes, 4);
}

std::string TextCodec::FromUtf16(std::u16string_view text) const {
  std::string out;
  out.reserve(text.size() * 2);
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      const uint32_t offset = (static_cast<uint32_t>(unit - 0xD800) << 10) | (text[i + 1] - 0xDC00u);
      char bytes[4];
      WriteFourByteCode(kSupplementaryStart + offset, bytes);
      out.append(bytes, 4);
      ++i;
    } else {
      AppendCode(unit, out);
    }
  }
  return out;
}

}  // namespace rules
