#include "rules/gbk_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace rules {
namespace {

constexpr int32_t kMaxInt = std::numeric_limits<int32_t>::max();
constexpr int32_t kMinInt = std::numeric_limits<int32_t>::min();

// "丂" is 0x81 0x40: its trail byte is the ASCII "@".
constexpr char kTrailIsAt[] = "\x81\x40";
// 0x81 0x61 and 0x81 0x41: trail bytes that are ASCII letters.
constexpr char kTrailIsLowerA[] = "\x81\x61";
constexpr char kTrailIsUpperA[] = "\x81\x41";

TEST(TextLeftRight, ClampAtBothEnds) {
  EXPECT_EQ(TextLeft("abc", 5), "abc");
  EXPECT_EQ(TextLeft("abc", 0), "");
  EXPECT_EQ(TextLeft("abc", -1), "");
  EXPECT_EQ(TextLeft("abc", kMinInt), "");
  EXPECT_EQ(TextRight("abc", 2), "bc");
  EXPECT_EQ(TextRight("abc", kMaxInt), "abc");
  EXPECT_EQ(TextRight("abc", -1), "");
}

TEST(TextLeftRight, CountBytesAndCutDoubleByteCharacters) {
  EXPECT_EQ(TextLength("文件"), 4);
  EXPECT_EQ(TextLeft("文件", 1), "\xCE");  // the lead byte of 文
  EXPECT_EQ(TextRight("文件", 1), "\xFE");  // the trail byte of 件
  EXPECT_EQ(TextLeft("文件", 2), "文");
}

TEST(TextFind, FoldsAsciiLettersOnlyWhenAsked) {
  EXPECT_EQ(TextFind("aXbx", "x", false), 4);
  EXPECT_EQ(TextFind("aXbx", "x", true), 2);
  EXPECT_EQ(TextFind("ABC.txt", "b", false), kNoMatch);
  EXPECT_EQ(TextFind("a.txt", "TXT", true), 3);
}

TEST(TextFind, NeverMatchesAtATrailByte) {
  const std::string name = std::string("x") + kTrailIsAt + "y";
  EXPECT_EQ(TextFind(name, "@", false), kNoMatch);
  EXPECT_EQ(TextFind(name + "@", "@", false), 5);
  EXPECT_EQ(TextFind(kTrailIsLowerA, "a", true), kNoMatch);
  EXPECT_EQ(TextFind(kTrailIsUpperA, "a", true), kNoMatch);
  // A double-byte search text matches whole characters, its trail byte folded too.
  EXPECT_EQ(TextFind(std::string("z") + kTrailIsUpperA, kTrailIsLowerA, true), 2);
  EXPECT_EQ(TextFind(std::string("z") + kTrailIsUpperA, kTrailIsLowerA, false), kNoMatch);
}

TEST(TextFind, StartPositions) {
  EXPECT_EQ(TextFind("abcabc", "b", 3, false), 5);
  EXPECT_EQ(TextFind("abcabc", "b", -7, false), 2);
  EXPECT_EQ(TextFind("abc", "a", 4, false), kNoMatch);
  EXPECT_EQ(TextFind("abc", "a", kMaxInt, false), kNoMatch);
  // Characters are counted from the start byte, even inside a character.
  EXPECT_EQ(TextFind("\xB0\x41", "A", 2, false), 2);
  EXPECT_EQ(TextFind("\xB0\x41", "A", 1, false), kNoMatch);
}

TEST(TextFind, EmptyAndShortTexts) {
  EXPECT_EQ(TextFind("abc", "", false), 1);
  EXPECT_EQ(TextFind("abc", "", 3, false), 1);  // 1, not the start
  EXPECT_EQ(TextFind("abc", "", 4, false), kNoMatch);
  EXPECT_EQ(TextFind("", "", false), kNoMatch);
  EXPECT_EQ(TextFind("", "a", false), kNoMatch);
  EXPECT_EQ(TextFind("ab", "abc", false), kNoMatch);
  EXPECT_EQ(TextFind("a\xB0", "x", false), kNoMatch);  // lead byte at the very end
  EXPECT_EQ(TextFind("a\xB0", "\xB0", false), 2);
}

TEST(TextToNumber, ReadsTheLongestLeadingDecimalNumber) {
  EXPECT_EQ(TextToNumber(""), 0);
  EXPECT_EQ(TextToNumber("-"), 0);
  EXPECT_EQ(TextToNumber("007"), 7);
  EXPECT_EQ(TextToNumber("12ab"), 12);
  EXPECT_EQ(TextToNumber("3-"), 3);
  EXPECT_EQ(TextToNumber("+8"), 8);
  EXPECT_EQ(TextToNumber(" \t-4.5e1x"), -45);
  EXPECT_EQ(TextToNumber("2.9"), 2.9);
  EXPECT_EQ(TextToNumber(".5"), 0.5);
  EXPECT_EQ(TextToNumber("5."), 5);
  EXPECT_EQ(TextToNumber("."), 0);
  EXPECT_EQ(TextToNumber("1e"), 1);
  EXPECT_EQ(TextToNumber("1e+"), 1);
  EXPECT_EQ(TextToNumber("e5"), 0);
  EXPECT_EQ(TextToNumber("--5"), 0);
}

TEST(TextToNumber, ReadsOnlyDecimalNotation) {
  EXPECT_EQ(TextToNumber("inf"), 0);
  EXPECT_EQ(TextToNumber("nan"), 0);
  EXPECT_EQ(TextToNumber("-infinity"), 0);
  EXPECT_EQ(TextToNumber("0x10"), 0);
  EXPECT_TRUE(std::isinf(TextToNumber("1e999")));
  EXPECT_GT(TextToNumber("1e999"), 0);
  EXPECT_LT(TextToNumber("-1e999"), 0);
  EXPECT_EQ(TextToNumber("1e-999"), 0);
  EXPECT_EQ(TextToNumber("0.0000001e-400"), 0);
  EXPECT_TRUE(std::isinf(TextToNumber("100000e99999999999999999999")));
}

TEST(TextToNumber, ReadsFullWidthForms) {
  EXPECT_EQ(TextToNumber("１２"), 12);
  EXPECT_EQ(TextToNumber("－５"), -5);
  EXPECT_EQ(TextToNumber("３．５"), 3.5);
  EXPECT_EQ(TextToNumber("　７"), 7);        // full-width space
  EXPECT_EQ(TextToNumber("１ｅ２"), 100);    // full-width letter e
  EXPECT_EQ(TextToNumber("1文2"), 1);
  EXPECT_EQ(TextToNumber("\xA3"), 0);        // a lone lead byte is dropped
  EXPECT_EQ(TextToNumber("9\xA3"), 9);
}

TEST(Truncate, TowardZeroAndSaturating) {
  EXPECT_EQ(Truncate(2.9), 2);
  EXPECT_EQ(Truncate(-2.9), -2);
  EXPECT_EQ(Truncate(std::nan("")), 0);
  EXPECT_EQ(Truncate(1e100), kMaxInt);
  EXPECT_EQ(Truncate(-1e100), kMinInt);
  EXPECT_EQ(Truncate(std::numeric_limits<double>::infinity()), kMaxInt);
  EXPECT_EQ(Truncate(-std::numeric_limits<double>::infinity()), kMinInt);
  EXPECT_EQ(Truncate(2147483647.9), kMaxInt);
  EXPECT_EQ(Truncate(2147483646.9), kMaxInt - 1);
  EXPECT_EQ(Truncate(-2147483648.9), kMinInt);
  EXPECT_EQ(Truncate(-2147483647.9), kMinInt + 1);
}

TEST(TextCase, ChangesAsciiLettersAndNeverADoubleByteCharacter) {
  EXPECT_EQ(TextToUpper("a文b.txt"), "A文B.TXT");
  EXPECT_EQ(TextToLower("A文B.TXT"), "a文b.txt");
  EXPECT_EQ(TextToUpper(std::string("x") + kTrailIsLowerA), std::string("X") + kTrailIsLowerA);
  EXPECT_EQ(TextToLower(std::string("X") + kTrailIsUpperA), std::string("x") + kTrailIsUpperA);
  EXPECT_EQ(TextToUpper("ａｂ"), "ａｂ");  // full-width letters stay
  // A four-byte code (here É, which GBK lacks) is two characters to them: unchanged.
  EXPECT_EQ(TextToUpper("\x81\x30\x87\x37" "cole"), "\x81\x30\x87\x37" "COLE");
  EXPECT_EQ(TextToLower("\x81\x30\x87\x37" "COLE"), "\x81\x30\x87\x37" "cole");
  EXPECT_EQ(TextToUpper("a\x81"), "A\x81");
  EXPECT_EQ(TextToUpper("@[`{"), "@[`{");
}

TEST(IntegerToText, DecimalWithSign) {
  EXPECT_EQ(IntegerToText(0), "0");
  EXPECT_EQ(IntegerToText(-5), "-5");
  EXPECT_EQ(IntegerToText(kMinInt), "-2147483648");
}

TEST(ReverseCharacters, KeepsEachDoubleByteCharacterWhole) {
  EXPECT_EQ(ReverseCharacters("ab文"), "文ba");
  EXPECT_EQ(ReverseCharacters(""), "");
  EXPECT_EQ(ReverseCharacters("a\x81"), "\x81" "a");  // a lone lead byte is one unit
}

}  // namespace
}  // namespace rules

namespace rules {
namespace {

TEST(CutAt, TrailBytesNeverCut) {
  EXPECT_EQ(CutAt("C:\\Tools\\新建", '\\'), (std::vector<std::string>{"C:", "Tools", "新建"}));
  EXPECT_EQ(CutAt("C:\\", '\\'), std::vector<std::string>{"C:"});
  // 0x81 0x5C is one character whose trail byte is "\".
  EXPECT_EQ(CutAt("D:\\\x81\\x\\y", '\\'), (std::vector<std::string>{"D:", "\x81\\x", "y"}));
}

TEST(EndsWithCharacter, LooksAtWholeCharacters) {
  EXPECT_TRUE(EndsWithCharacter("C:\\", '\\'));
  EXPECT_FALSE(EndsWithCharacter("C:\\Tools/", '\\'));
  EXPECT_FALSE(EndsWithCharacter("C:\\\x81\\", '\\'));  // the trail byte of a character
  EXPECT_TRUE(EndsWithCharacter("C:\\\x81\\\\", '\\'));
  EXPECT_FALSE(EndsWithCharacter("", '\\'));
}

}  // namespace
}  // namespace rules
