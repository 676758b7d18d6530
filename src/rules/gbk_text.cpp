#include "rules/gbk_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace rules {
bool EqualBytes(char a, char b, bool ignoreCase) {
  if (a == b) return true;
  if (!ignoreCase) return false;
  auto fold = [](char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
  };
  return fold(a) == fold(b);
}

namespace {

bool MatchesAt(std::string_view text, size_t at, std::string_view needle, bool ignoreCase) {
  for (size_t i = 0; i < needle.size(); ++i) {
    if (!EqualBytes(text[at + i], needle[i], ignoreCase)) return false;
  }
  return true;
}

// Full-width digits, letters, signs and spaces become their ASCII forms;
// a lead byte at the very end is dropped.
std::string NarrowFullWidth(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (!IsOperationLeadByte(c)) {
      out += c;
      continue;
    }
    if (i + 1 >= text.size()) break;
    const auto lead = static_cast<unsigned char>(c);
    const auto trail = static_cast<unsigned char>(text[i + 1]);
    ++i;
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
      out += static_cast<char>(trail & 0x7F);
    } else if (lead == 0xA1 && trail == 0xA1) {
      out += ' ';
    } else if (lead == 0xA1 && trail == 0xAB) {
      out += '~';
    } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
      out += '*';
    } else {
      out += c;
      out += text[i];
    }
  }
  return out;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

size_t SkipDigits(std::string_view s, size_t i) {
  while (i < s.size() && IsDigit(s[i])) ++i;
  return i;
}

// Saturating value of a run of decimal digits (enough to order exponents).
long long DigitsValue(std::string_view digits) {
  long long value = 0;
  for (char c : digits) value = std::min(value * 10 + (c - '0'), 1000000LL);
  return value;
}

// Reads an unsigned decimal number [digits][.digits][e[sign]digits] at the
// start of `s`; a number too large for a double becomes infinity, one too
// small becomes 0.
double ReadUnsignedDecimal(std::string_view s) {
  const size_t integerEnd = SkipDigits(s, 0);
  size_t end = integerEnd;
  size_t fractionEnd = integerEnd;
  if (end < s.size() && s[end] == '.') {
    fractionEnd = SkipDigits(s, end + 1);
    if (integerEnd > 0 || fractionEnd > end + 1) end = fractionEnd;
  }
  if (end == 0) return 0.0;
  long long exponent = 0;
  if (end < s.size() && (s[end] == 'e' || s[end] == 'E')) {
    size_t e = end + 1;
    const bool negativeExponent = e < s.size() && s[e] == '-';
    if (e < s.size() && (s[e] == '+' || s[e] == '-')) ++e;
    const size_t exponentEnd = SkipDigits(s, e);
    if (exponentEnd > e) {
      exponent = DigitsValue(s.substr(e, exponentEnd - e)) * (negativeExponent ? -1 : 1);
      end = exponentEnd;
    }
  }
  double value = 0.0;
  const auto result = std::from_chars(s.data(), s.data() + end, value, std::chars_format::general);
  if (result.ec != std::errc::result_out_of_range) return value;
  // Out of range: the decimal order of the first significant digit tells
  // overflow from underflow.
  const std::string_view mantissa = s.substr(0, std::max(integerEnd, fractionEnd));
  const size_t firstSignificant = mantissa.find_first_of("123456789");
  const long long order = firstSignificant < integerEnd
                              ? static_cast<long long>(integerEnd - firstSignificant)
                              : -static_cast<long long>(firstSignificant - integerEnd - 1);
  return order + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

}  // namespace

int TextLength(std::string_view text) { return static_cast<int>(text.size()); }

std::string TextLeft(std::string_view text, int32_t count) {
  if (count <= 0) return {};
  return std::string(text.substr(0, static_cast<size_t>(count)));
}

std::string TextRight(std::string_view text, int32_t count) {
  if (count <= 0) return {};
  const size_t n = std::min(text.size(), static_cast<size_t>(count));
  return std::string(text.substr(text.size() - n));
}

int TextFind(std::string_view text, std::string_view needle, int32_t start, bool ignoreCase) {
  const size_t begin = start > 1 ? static_cast<size_t>(start) - 1 : 0;
  size_t remaining = begin < text.size() ? text.size() - begin : 0;
  if (needle.empty()) return remaining > 0 ? 1 : kNoMatch;
  size_t at = begin;
  while (remaining >= needle.size()) {
    if (MatchesAt(text, at, needle, ignoreCase)) return static_cast<int>(at) + 1;
    if (IsOperationLeadByte(text[at])) {
      ++at;
      --remaining;
      if (at >= text.size()) return kNoMatch;
    }
    ++at;
    --remaining;
  }
  return kNoMatch;
}

int TextFind(std::string_view text, std::string_view needle, bool ignoreCase) {
  return TextFind(text, needle, 1, ignoreCase);
}

double TextToNumber(std::string_view text) {
  const std::string narrow = NarrowFullWidth(text);
  std::string_view s = narrow;
  size_t i = 0;
  while (i < s.size() && IsSpace(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    negative = s[i] == '-';
    ++i;
  }
  const double magnitude = ReadUnsignedDecimal(s.substr(i));
  return negative ? -magnitude : magnitude;
}

int32_t Truncate(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kMax = std::numeric_limits<int32_t>::max();
  constexpr double kMin = std::numeric_limits<int32_t>::min();
  if (value >= kMax) return std::numeric_limits<int32_t>::max();
  if (value <= kMin) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

namespace {
std::string MapAsciiLetters(std::string_view text, char from, char to) {
  std::string out(text);
  for (size_t i = 0; i < out.size(); ++i) {
    if (IsOperationLeadByte(out[i])) {
      ++i;  // the trail byte stays as it is
    } else if (out[i] >= from && out[i] <= from + 25) {
      out[i] = static_cast<char>(out[i] - from + to);
    }
  }
  return out;
}
}  // namespace

std::string TextToUpper(std::string_view text) { return MapAsciiLetters(text, 'a', 'A'); }
std::string TextToLower(std::string_view text) { return MapAsciiLetters(text, 'A', 'a'); }

std::string IntegerToText(int32_t value) { return std::to_string(value); }

std::vector<std::string> CutAt(std::string_view text, char separator) {
  std::vector<std::string> pieces;
  size_t pieceStart = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsOperationLeadByte(text[i])) {
      ++i;
    } else if (text[i] == separator) {
      pieces.emplace_back(text.substr(pieceStart, i - pieceStart));
      pieceStart = i + 1;
    }
  }
  if (pieceStart < text.size()) pieces.emplace_back(text.substr(pieceStart));
  return pieces;
}

bool EndsWithCharacter(std::string_view text, char character) {
  if (text.empty()) return false;
  size_t last = 0;
  for (size_t i = 0; i < text.size(); i += (IsOperationLeadByte(text[i]) ? 2 : 1)) last = i;
  return last == text.size() - 1 && text[last] == character;
}

std::string ReverseCharacters(std::string_view text) {
  std::string out(text.size(), '\0');
  size_t write = text.size();
  for (size_t i = 0; i < text.size();) {
    const size_t unit = (IsOperationLeadByte(text[i]) && i + 1 < text.size()) ? 2 : 1;
    write -= unit;
    out.replace(write, unit, text.substr(i, unit));
    i += unit;
  }
  return out;
}

}  // namespace rules
