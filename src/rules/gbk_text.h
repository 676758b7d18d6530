// Byte-based text operations on GBK (code page 936) names.
// Every length and position counts bytes; positions are 1-based.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rules {

// Narrow literals must be compiled as GBK: one Chinese character is two bytes.
static_assert(sizeof("文") == 3, "compile with -fexec-charset=GBK");

// The text operations' rule: any byte of 0x80 or above starts a
// double-byte character. (The conversion to UTF-16 has its own rule,
// IsConversionLeadByte.)
constexpr bool IsOperationLeadByte(char byte) { return static_cast<unsigned char>(byte) >= 0x80; }

constexpr int kNoMatch = -1;

int TextLength(std::string_view text);
std::string TextLeft(std::string_view text, int32_t count);
std::string TextRight(std::string_view text, int32_t count);

// Two bytes are the same; with ignoreCase ASCII letters fold (whatever
// character the byte belongs to), as the search does.
bool EqualBytes(char a, char b, bool ignoreCase);

// 1-based position of the first occurrence of `needle` at or after `start`
// that begins at a character start, or kNoMatch. With ignoreCase, ASCII
// letters fold byte by byte (trail bytes included).
int TextFind(std::string_view text, std::string_view needle, int32_t start, bool ignoreCase);
int TextFind(std::string_view text, std::string_view needle, bool ignoreCase);

// The longest leading decimal number, after full-width forms became ASCII.
// Only decimal notation is read: "inf", "nan" and "0x10" give 0.
double TextToNumber(std::string_view text);

// Drops the fraction toward zero; NaN gives 0, values beyond the 32-bit
// range saturate at its limits.
int32_t Truncate(double value);

std::string TextToUpper(std::string_view text);
std::string TextToLower(std::string_view text);
std::string IntegerToText(int32_t value);

// Cuts a text at each `separator` character (a double-byte character is one
// unit, so a trail byte never cuts): every separator ends one piece, even an
// empty one; a non-empty rest is one more piece.
std::vector<std::string> CutAt(std::string_view text, char separator);

// True when the last character of `text` is the single-byte `character`
// (a trail byte of the same value does not count).
bool EndsWithCharacter(std::string_view text, char character);

// Reverses the order of characters; a double-byte character keeps its two
// bytes in order (a lead byte at the very end is one unit on its own).
std::string ReverseCharacters(std::string_view text);

}  // namespace rules
