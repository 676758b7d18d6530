// GB18030's four-byte codes: lead byte, digit, lead byte, digit (0x81 to
// 0xFE, 0x30 to 0x39). Each code has a linear index; the characters of the
// Basic Multilingual Plane that have such a code come in runs (generated
// data), the other planes follow from 0x90308130 by arithmetic.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace rules {

struct FourByteRun {
  char16_t first;  // the run's first character
  uint32_t index;  // its code's linear index
  uint16_t count;
};
extern const FourByteRun kFourByteRuns[206];

// Indexes the codes of the Basic Multilingual Plane end before this one.
inline constexpr uint32_t kPlaneZeroCodes = 39420;
// The index of 0x90308130, the code of U+10000.
inline constexpr uint32_t kSupplementaryStart = 189000;
// Unassigned codes from kPlaneZeroCodes on carry the UTF-16 units that
// neither code page 936 nor a code of GB18030 can carry here: lone
// surrogates, and the few characters whose two-byte GB18030 code code page
// 936 gives to another character. Index kPlaneZeroCodes + unit.
inline constexpr uint32_t kUnitCodesEnd = kPlaneZeroCodes + 0x10000;

inline constexpr bool IsFourByteLead(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }
inline constexpr bool IsFourByteDigit(unsigned char byte) { return byte >= 0x30 && byte <= 0x39; }

// True when the four bytes at the start of `text` have the form of a code.
bool StartsWithFourByteCode(std::string_view text);
uint32_t FourByteIndex(std::string_view code);
// Writes the four bytes of the code with `index` to `out`.
void WriteFourByteCode(uint32_t index, char* out);

// The index of the code GB18030 gives `unit` (a character of the Basic
// Multilingual Plane), if it gives it a four-byte one.
std::optional<uint32_t> PlaneZeroIndexOf(char16_t unit);
// The character of a code below kPlaneZeroCodes, if one has it.
std::optional<char16_t> PlaneZeroCharacterOf(uint32_t index);

}  // namespace rules
