#include "rules/gb18030.h"

#include <algorithm>
#include <iterator>
#include <utility>

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

namespace {

// The run that holds `value`, counting by its field `start` (its first
// character or its first code's index): its offset there, or nothing.
template <typename Value>
std::optional<std::pair<const FourByteRun*, uint32_t>> RunHolding(Value value,
                                                                  Value FourByteRun::*start) {
  // The last run that starts at or before `value`.
  const auto after = std::upper_bound(std::begin(kFourByteRuns), std::end(kFourByteRuns), value,
                                      [start](Value v, const FourByteRun& run) { return v < run.*start; });
  if (after == std::begin(kFourByteRuns)) return std::nullopt;
  const FourByteRun& run = *std::prev(after);
  const auto offset = static_cast<uint32_t>(value - run.*start);
  if (offset >= run.count) return std::nullopt;
  return std::make_pair(&run, offset);
}

}  // namespace

std::optional<uint32_t> PlaneZeroIndexOf(char16_t unit) {
  const auto held = RunHolding(unit, &FourByteRun::first);
  if (!held) return std::nullopt;
  return held->first->index + held->second;
}

std::optional<char16_t> PlaneZeroCharacterOf(uint32_t index) {
  const auto held = RunHolding(index, &FourByteRun::index);
  if (!held) return std::nullopt;
  return static_cast<char16_t>(held->first->first + held->second);
}

}  // namespace rules
