// Texts and UTF-16, without loss either way. A character that code page 936
// has is its code there, exactly as the system converts it; any other
// character is its GB18030 four-byte code (see rules/gb18030.h). So every
// UTF-16 text converts to a text and back to itself, and every text that
// code page 936 converts there and back converts to the same UTF-16.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rules {

// The conversion's rule: 0x81 to 0xFE start a character of two bytes (or,
// followed by a digit, of four). 0x80 alone is a character of its own.
constexpr bool IsConversionLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

// Code page 936 as the system has it: the character of each byte and of
// each pair of bytes (lead << 8 | trail) that converts to one UTF-16 unit
// and back to the same bytes; 0 where there is none.
struct CodePage936 {
  std::array<char16_t, 256> bytes{};
  std::array<bool, 256> leads{};
  std::vector<char16_t> pairs = std::vector<char16_t>(0x10000, u'\0');
};

class TextCodec {
 public:
  explicit TextCodec(CodePage936 table);

  // Appends the UTF-16 of `text` to `out`; false (and `out` unfinished)
  // when some bytes are no character, as a name cut through one is.
  bool ToUtf16(std::string_view text, std::u16string& out) const;
  // The same for showing a text: bytes that are no character show as U+FFFD.
  std::u16string ToUtf16Shown(std::string_view text) const;
  std::string FromUtf16(std::u16string_view text) const;

  // The UTF-16 of the character at the start of `text` (one unit, or a
  // surrogate pair) in `units`; the bytes it takes, or 0 when none.
  size_t NextCharacter(std::string_view text, char16_t (&units)[2], size_t& unitCount) const;

 private:
  size_t NextFourByteCharacter(std::string_view text, char16_t (&units)[2], size_t& unitCount) const;
  // Whether `unit` goes to a code taken from kPlaneZeroCodes on.
  bool HasUnitCode(char16_t unit) const;
  void AppendCode(char16_t unit, std::string& out) const;

  CodePage936 table_;
  // Each unit's code in code page 936: a byte (below 0x100), a pair, or 0.
  std::vector<uint16_t> codes_;
};

}  // namespace rules
