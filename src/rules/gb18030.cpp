#include "rules/gb18030.h"

#include <algorithm>
#include <iterator>

namespace rules {

bool StartsWithFourByteCode(std::string_view text) {
  return text.size() >= 4 && IsFourByteLead(static_cast<unsigned char>(text[0])) &&
         IsFourByteDigit(static_cast<unsigned char>(text[1])) &&
         IsFourByteLead(static_cast<unsigned char>(text[2])) &&
         IsFourByteDigit(static_cast<unsigned char>(text[3]));
}

uint32_t FourByteIndex(std::string_view code) {
  const auto byte = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(code[i])); };
  return (((byte(0) - 0x81) * 10 + (byte(1) - 0x30)) * 126 + (byte(2) - 0x81)) * 10 + (byte(3) - 0x30);
}

void WriteFourByteCode(uint32_t index, char* out) {
  out[3] = static_cast<char>(0x30 + index % 10);
  index /= 10;
  out[2] = static_cast<char>(0x81 + index % 126);
  index /= 126;
  out[1] = static_cast<char>(0x30 + index % 10);
  out[0] = static_cast<char>(0x81 + index / 10);
}

std::optional<uint32_t> PlaneZeroIndexOf(char16_t unit) {
  // The last run that starts at or before `unit`.
  const auto after = std::upper_bound(std::begin(kFourByteRuns), std::end(kFourByteRuns), unit,
                                      [](char16_t u, const FourByteRun& run) { return u < run.first; });
  if (after == std::begin(kFourByteRuns)) return std::nullopt;
  const FourByteRun& run = *std::prev(after);
  if (unit - run.first >= run.count) return std::nullopt;
  return run.index + static_cast<uint32_t>(unit - run.first);
}

std::optional<char16_t> PlaneZeroCharacterOf(uint32_t index) {
  const auto after = std::upper_bound(std::begin(kFourByteRuns), std::end(kFourByteRuns), index,
                                      [](uint32_t i, const FourByteRun& run) { return i < run.index; });
  if (after == std::begin(kFourByteRuns)) return std::nullopt;
  const FourByteRun& run = *std::prev(after);
  if (index - run.index >= run.count) return std::nullopt;
  return static_cast<char16_t>(run.first + (index - run.index));
}

}  // namespace rules
