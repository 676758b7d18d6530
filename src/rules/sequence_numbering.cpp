#include "rules/sequence_numbering.h"

#include <array>

#include "rules/gbk_text.h"
#include "rules/map_names.h"
#include "rules/rename_messages.h"

namespace rules {
namespace {

constexpr std::array<const char*, 10> kChineseDigits = {"零", "一", "二", "三", "四",
                                                        "五", "六", "七", "八", "九"};
constexpr std::array<const char*, 10> kFinancialDigits = {"零", "壹", "贰", "叁", "肆",
                                                          "伍", "陆", "柒", "捌", "玖"};
// Unit of place j (1 = tens ... 15); place 0 has none.
constexpr std::array<const char*, 16> kChineseUnits = {
    "", "十", "百", "千", "万", "十", "百", "千", "亿", "十", "百", "千", "万", "十", "百", "千"};
constexpr std::array<const char*, 16> kFinancialUnits = {
    "", "拾", "佰", "仟", "万", "拾", "佰", "仟", "亿", "拾", "佰", "仟", "万", "拾", "佰", "仟"};
constexpr char kBadDigit[] = "错误001";

struct BracketPair {
  const char* opening;
  const char* closing;
};
constexpr std::array<BracketPair, 6> kBrackets = {{
    {"(", ")"}, {"[", "]"}, {"<", ">"}, {"{", "}"}, {"【", "】"}, {"《", "》"}}};

constexpr int kStyleItemCount = 3;

// Start plus offset, wrapping as a 32-bit integer would.
int32_t WrappedNumber(int32_t start, size_t offset) {
  const auto sum = static_cast<uint32_t>(start) + static_cast<uint32_t>(offset);
  return static_cast<int32_t>(sum);
}

}  // namespace

std::string DigitToNumeral(int style, int32_t digit) {
  if (style == kArabic) return IntegerToText(digit);
  if (digit < 0 || digit > 9) return kBadDigit;
  return style == kFinancialNumerals ? kFinancialDigits[digit] : kChineseDigits[digit];
}

std::string NumberToNumeral(int style, int32_t number) {
  if (style == kArabic) return IntegerToText(number);
  const auto& units = style == kFinancialNumerals ? kFinancialUnits : kChineseUnits;
  const size_t places = IntegerToText(number).size();  // a "-" counts as a place
  std::string numeral;
  for (size_t place = 0; place < places; ++place) {
    if (place >= 1 && place < units.size()) numeral.insert(0, units[place]);
    numeral.insert(0, DigitToNumeral(style, number % 10));  // keeps the sign of number
    number /= 10;
  }
  return numeral;
}

StemAndExtension SplitAtLastDot(std::string_view name) {
  int32_t afterDot = 1;
  for (int dot; (dot = TextFind(name, ".", afterDot, false)) != kNoMatch;) afterDot = dot + 1;
  if (afterDot == 1) return {std::string(name), {}};
  return {TextLeft(name, afterDot - 2), TextRight(name, TextLength(name) - afterDot + 2)};
}

ComputationOutcome AddSequenceNumbers(const RenameOptions& options, const NameList& current,
                                      NameList& newNames) {
  if (options.NumberStyle < 0 || options.NumberStyle >= kStyleItemCount) {
    return {NewNamesResult::KeptAsBefore, Notice{messages::kNoteTitle, messages::kNoNumberStyle}};
  }
  const bool bracketChosen =
      options.BracketType >= 0 && options.BracketType < static_cast<int>(kBrackets.size());
  if (options.AddBrackets && !bracketChosen) {
    return {NewNamesResult::KeptAsBefore, Notice{messages::kNoteTitle, messages::kNoBracketType}};
  }
  const int style = options.NumberStyle + 1;
  const BracketPair brackets =
      options.AddBrackets ? kBrackets[static_cast<size_t>(options.BracketType)] : BracketPair{"", ""};
  const int32_t start =
      options.StartNumber.empty() ? 1 : Truncate(TextToNumber(options.StartNumber));

  MapNames(current, newNames, [&](const std::string& name, size_t index) {
    const std::string number =
        brackets.opening + NumberToNumeral(style, WrappedNumber(start, index)) + brackets.closing;
    if (options.NumberAtLeft) return number + name;
    const StemAndExtension parts = SplitAtLastDot(name);
    return parts.stem + number + parts.extension;
  });
  return {};
}

}  // namespace rules
