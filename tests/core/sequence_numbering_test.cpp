#include "rules/sequence_numbering.h"

#include <gtest/gtest.h>

#include <limits>

#include "rules/rename_messages.h"

namespace rules {
namespace {

struct NumeralCase {
  int32_t number;
  const char* chinese;
  const char* financial;
};

class NumberToNumeralTest : public testing::TestWithParam<NumeralCase> {};

TEST_P(NumberToNumeralTest, WritesEveryDigitWithTheUnitOfItsPlace) {
  const NumeralCase& c = GetParam();
  EXPECT_EQ(NumberToNumeral(kChineseNumerals, c.number), c.chinese);
  EXPECT_EQ(NumberToNumeral(kFinancialNumerals, c.number), c.financial);
  EXPECT_EQ(NumberToNumeral(kArabic, c.number), std::to_string(c.number));
}

INSTANTIATE_TEST_SUITE_P(
    WorkedResults, NumberToNumeralTest,
    testing::Values(NumeralCase{1, "一", "壹"}, NumeralCase{9, "九", "玖"},
                    NumeralCase{10, "一十零", "壹拾零"}, NumeralCase{11, "一十一", "壹拾壹"},
                    NumeralCase{20, "二十零", "贰拾零"},
                    NumeralCase{101, "一百零十一", "壹佰零拾壹"},
                    NumeralCase{1000, "一千零百零十零", "壹仟零佰零拾零"},
                    NumeralCase{10010, "一万零千零百一十零", "壹万零仟零佰壹拾零"},
                    NumeralCase{123456, "一十二万三千四百五十六", "壹拾贰万叁仟肆佰伍拾陆"},
                    NumeralCase{0, "零", "零"}, NumeralCase{-5, "零十错误001", "零拾错误001"},
                    NumeralCase{-12, "零百错误001十错误001", "零佰错误001拾错误001"},
                    NumeralCase{100000000, "一亿零千零百零十零万零千零百零十零",
                                "壹亿零仟零佰零拾零万零仟零佰零拾零"},
                    NumeralCase{2147483647, "二十一亿四千七百四十八万三千六百四十七",
                                "贰拾壹亿肆仟柒佰肆拾捌万叁仟陆佰肆拾柒"}));

TEST(NumberToNumeral, SmallestIntegerHasAPlaceForItsSign) {
  // Eleven places ("-" counted): the tenth place is the hundreds of 亿.
  EXPECT_EQ(NumberToNumeral(kChineseNumerals, std::numeric_limits<int32_t>::min()),
            "零百错误001十错误001亿错误001千错误001百错误001十错误001万错误001千错误001"
            "百错误001十错误001");
}

TEST(DigitToNumeral, OutsideZeroToNineIsAnError) {
  EXPECT_EQ(DigitToNumeral(kChineseNumerals, 0), "零");
  EXPECT_EQ(DigitToNumeral(kFinancialNumerals, 2), "贰");
  EXPECT_EQ(DigitToNumeral(kChineseNumerals, 10), "错误001");
  EXPECT_EQ(DigitToNumeral(kFinancialNumerals, -1), "错误001");
  EXPECT_EQ(DigitToNumeral(kArabic, 7), "7");
}

TEST(SplitAtLastDot, StemAndExtension) {
  auto split = [](const char* name) {
    const StemAndExtension parts = SplitAtLastDot(name);
    return parts.stem + "|" + parts.extension;
  };
  EXPECT_EQ(split("archive.tar.gz"), "archive.tar|.gz");
  EXPECT_EQ(split("README"), "README|");
  EXPECT_EQ(split(".profile"), "|.profile");
  EXPECT_EQ(split("name."), "name|.");
  EXPECT_EQ(split("报告.doc"), "报告|.doc");
  EXPECT_EQ(split(""), "|");
}

RenameOptions NumberOptions(int styleItem, const char* start, bool atLeft, int bracketItem = -1) {
  RenameOptions options;
  options.RenameType = kAddSequenceNumber;
  options.NumberStyle = styleItem;
  options.StartNumber = start;
  options.NumberAtLeft = atLeft;
  options.AddBrackets = bracketItem >= 0;
  options.BracketType = bracketItem;
  return options;
}

NameList Numbered(const RenameOptions& options, const NameList& current) {
  NameList newNames;
  const auto outcome = AddSequenceNumbers(options, current, newNames);
  EXPECT_EQ(outcome.newNames, NewNamesResult::Computed);
  EXPECT_FALSE(outcome.notice);
  return newNames;
}

TEST(AddSequenceNumbers, PlacementStartAndStyle) {
  EXPECT_EQ(Numbered(NumberOptions(0, "", true), {"a.txt", "b.txt"}),
            (NameList{"1a.txt", "2b.txt"}));
  EXPECT_EQ(Numbered(NumberOptions(0, "9", false, 0), {"a.txt", "b.txt"}),
            (NameList{"a(9).txt", "b(10).txt"}));
  EXPECT_EQ(Numbered(NumberOptions(1, "10", false, 4), {"a.txt"}), NameList{"a【一十零】.txt"});
  EXPECT_EQ(Numbered(NumberOptions(2, "1", true, 5), {"a"}), NameList{"《壹》a"});
  EXPECT_EQ(Numbered(NumberOptions(0, "-2", true), {"a", "b", "c"}),
            (NameList{"-2a", "-1b", "0c"}));
  EXPECT_EQ(Numbered(NumberOptions(0, "-", true), {"a"}), NameList{"0a"});
  EXPECT_EQ(Numbered(NumberOptions(0, "3.9", true), {"a"}), NameList{"3a"});
}

TEST(AddSequenceNumbers, RightPlacementGoesBeforeTheLastDot) {
  const auto options = NumberOptions(0, "", false, 0);
  EXPECT_EQ(Numbered(options, {"archive.tar.gz", "README", ".profile", "name."}),
            (NameList{"archive.tar(1).gz", "README(2)", "(3).profile", "name(4)."}));
  EXPECT_EQ(Numbered(NumberOptions(0, "", true, 0), {"archive.tar.gz"}),
            NameList{"(1)archive.tar.gz"});
}

TEST(AddSequenceNumbers, EveryBracketPair) {
  const char* expected[] = {"(1)a", "[1]a", "<1>a", "{1}a", "【1】a", "《1》a"};
  for (int item = 0; item < 6; ++item) {
    EXPECT_EQ(Numbered(NumberOptions(0, "", true, item), {"a"}), NameList{expected[item]});
  }
  RenameOptions unchecked = NumberOptions(0, "", true, 3);
  unchecked.AddBrackets = false;
  EXPECT_EQ(Numbered(unchecked, {"a"}), NameList{"1a"});
}

TEST(AddSequenceNumbers, NumbersWrapAsThirtyTwoBitIntegers) {
  EXPECT_EQ(Numbered(NumberOptions(0, "2147483646", true), {"a", "b", "c"}),
            (NameList{"2147483646a", "2147483647b", "-2147483648c"}));
  // A start beyond the range saturates first, then counting wraps.
  EXPECT_EQ(Numbered(NumberOptions(0, "1e999", true), {"a", "b"}),
            (NameList{"2147483647a", "-2147483648b"}));
}

TEST(AddSequenceNumbers, MissingChoicesStopAndKeepThePreviousNewNames) {
  const NameList previous{"kept1", "kept2"};
  NameList newNames = previous;

  auto outcome = AddSequenceNumbers(NumberOptions(-1, "", true), {"a", "b"}, newNames);
  EXPECT_EQ(outcome.newNames, NewNamesResult::KeptAsBefore);
  EXPECT_EQ(outcome.notice, (Notice{"提示:", "请选择序号类型"}));
  EXPECT_EQ(newNames, previous);

  RenameOptions noBracket = NumberOptions(0, "", true);
  noBracket.AddBrackets = true;
  outcome = AddSequenceNumbers(noBracket, {"a", "b"}, newNames);
  EXPECT_EQ(outcome.newNames, NewNamesResult::KeptAsBefore);
  EXPECT_EQ(outcome.notice, (Notice{"提示:", "您勾选了添加括号选择框，请选择括号类型"}));
  EXPECT_EQ(newNames, previous);

  // The style is checked before the brackets.
  noBracket.NumberStyle = -1;
  EXPECT_EQ(AddSequenceNumbers(noBracket, {"a"}, newNames).notice->text, messages::kNoNumberStyle);
  // Items beyond the lists count as no selection.
  EXPECT_TRUE(AddSequenceNumbers(NumberOptions(3, "", true), {"a"}, newNames).notice);
  EXPECT_TRUE(AddSequenceNumbers(NumberOptions(0, "", true, 6), {"a"}, newNames).notice);
  EXPECT_EQ(newNames, previous);
}

}  // namespace
}  // namespace rules
