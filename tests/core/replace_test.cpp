#include "rules/replace.h"

#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <random>
#include <string>

#include "rules/rename_messages.h"
#include "rules/replace_all.h"

namespace rules {
namespace {

struct ReplaceCase {
  const char* name;
  const char* search;
  const char* replacement;
  bool all;
  double nth;
  bool ignoreCase;
  bool fromRight;
  const char* expected;
};

class ReplaceInNameTest : public testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceInNameTest, GivesTheExpectedName) {
  const ReplaceCase& c = GetParam();
  const ReplaceRule rule{c.search, c.replacement, c.all, c.nth, c.ignoreCase, c.fromRight};
  EXPECT_EQ(ReplaceInName(c.name, rule), std::string(c.expected));
}

constexpr bool kAll = true, kNth = false;
constexpr bool kIgnore = true, kExact = false;
constexpr bool kRight = true, kLeft = false;

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceInNameTest,
    testing::Values(
        ReplaceCase{"abcabc.txt", "b", "X", kAll, 0, kIgnore, kLeft, "aXcaXc.txt"},
        ReplaceCase{"abcabc.txt", "b", "X", kNth, 2, kIgnore, kLeft, "abcaXc.txt"},
        ReplaceCase{"abcabc.txt", "b", "XY", kNth, 1, kIgnore, kRight, "abcaXYc.txt"},
        ReplaceCase{"abcabc.txt", "b", "XY", kNth, 2, kIgnore, kRight, "aXYcabc.txt"},
        ReplaceCase{"aaa", "aa", "b", kAll, 0, kIgnore, kLeft, "ba"},
        ReplaceCase{"aaa", "aa", "b", kAll, 0, kIgnore, kRight, "ab"},
        ReplaceCase{"aaaa", "aa", "b", kNth, 2, kIgnore, kLeft, "aab"},
        ReplaceCase{"aabb", "ab", "", kAll, 0, kIgnore, kLeft, ""},
        ReplaceCase{"ABC.txt", "b", "x", kAll, 0, kIgnore, kLeft, "AxC.txt"},
        ReplaceCase{"ABC.txt", "b", "x", kAll, 0, kExact, kLeft, "ABC.txt"},
        ReplaceCase{"a.txt", "txt", "doc", kAll, 0, kIgnore, kLeft, "a.doc"},
        ReplaceCase{"aXbx", "x", "-", kNth, 1, kExact, kLeft, "aXb-"},
        // The N-th mode needs a whole N of 1 or more, and that many occurrences.
        ReplaceCase{"abab", "b", "X", kNth, 0, kIgnore, kLeft, "abab"},
        ReplaceCase{"abab", "b", "X", kNth, -1, kIgnore, kLeft, "abab"},
        ReplaceCase{"abab", "b", "X", kNth, 1.5, kIgnore, kLeft, "abab"},
        ReplaceCase{"abab", "b", "X", kNth, 3, kIgnore, kLeft, "abab"},
        ReplaceCase{"abab", "b", "X", kNth, 1e300, kIgnore, kLeft, "abab"},
        ReplaceCase{"abab", "b", "X", kNth, 2.00000001, kIgnore, kLeft, "abaX"},
        // Right to left keeps double-byte characters and the replacement as typed.
        ReplaceCase{"第一章第二章", "第", "X", kNth, 1, kIgnore, kRight, "第一章X二章"},
        ReplaceCase{"第一章第二章", "第一", "甲乙", kAll, 0, kIgnore, kRight, "甲乙章第二章"},
        ReplaceCase{"ab-ab", "ab", "xy", kNth, 1, kIgnore, kRight, "ab-xy"},
        // A trail byte that looks like the search text is never replaced.
        ReplaceCase{"\x81@@", "@", "#", kAll, 0, kExact, kLeft, "\x81@#"},
        ReplaceCase{"@\x81@", "@", "#", kAll, 0, kExact, kRight, "#\x81@"},
        ReplaceCase{"\x81" "a", "A", "b", kAll, 0, kIgnore, kLeft, "\x81" "a"},
        // A lone lead byte at the end matches nothing and stays where it is.
        ReplaceCase{"ab\x81", "zz", "X", kNth, 0, kIgnore, kRight, "ab\x81"},
        ReplaceCase{"ab\x81", "b", "X", kNth, 1, kIgnore, kRight, "aX\x81"},
        ReplaceCase{"ab\x81", "a", "X", kAll, 0, kIgnore, kRight, "Xb\x81"},
        // The digits inside a four-byte code (É is 0x81 0x30 0x87 0x37) are
        // trail bytes: never found, never replaced, from either end.
        ReplaceCase{"\x81\x30\x87\x37" "0.txt", "0", "X", kAll, 0, kExact, kLeft, "\x81\x30\x87\x37" "X.txt"},
        ReplaceCase{"\x81\x30\x87\x37" "07", "7", "X", kAll, 0, kIgnore, kRight, "\x81\x30\x87\x37" "0X"},
        // Case-sensitive replacement of a letter by its other case ends.
        ReplaceCase{"aAa", "a", "A", kAll, 0, kExact, kLeft, "AAA"}));

// A name that grows stops growing at the first pass past the longest name
// a file can have, whether the replacement would end or not.
TEST(ReplaceInName, AGrowingNameStopsOnceNoFileNameCouldHoldIt) {
  struct Growing {
    std::string name;
    ReplaceRule rule;
    size_t growthPerPass;
  };
  ReplaceRule endless{"ab", "bbaa", true, 0, false, false};  // recreates "ab" by joining
  ReplaceRule endlessFromRight{"ba", "aabb", true, 0, false, true};
  // Would end after 4,095 passes, at 4,108 bytes.
  ReplaceRule ending{"ab", "bba", true, 0, false, false};
  // A long replacement whose end joins the next "b": 64 KiB a pass.
  ReplaceRule wide{"ab", std::string(65536, 'x') + "a", true, 0, false, false};
  for (const Growing& growing : {Growing{"aab", endless, 2}, Growing{"baa", endlessFromRight, 2},
                                 Growing{std::string(12, 'a') + "b", ending, 1},
                                 Growing{"a" + std::string(250, 'b'), wide, 65536}}) {
    ASSERT_FALSE(ReplacementKeepsMatching(growing.rule));
    const auto result = ReplaceInName(growing.name, growing.rule);
    ASSERT_TRUE(result) << growing.name;
    EXPECT_GT(result->size(), kLongestNameBytes) << growing.name;
    EXPECT_LE(result->size(), kLongestNameBytes + growing.growthPerPass) << growing.name;
  }
}

// Against the plain way (search the whole name from its start every pass)
// on short ASCII names, where characters are bytes.
TEST(ReplaceInName, ReplaceAllAgreesWithSearchingFromTheStartEveryPass) {
  std::mt19937 random(11);
  const std::string letters = "abAB";
  auto text = [&](size_t most) {
    std::string s(random() % (most + 1), 'a');
    for (char& c : s) c = letters[random() % letters.size()];
    return s;
  };
  for (int round = 0; round < 20000; ++round) {
    const std::string name = text(8), search = text(3), replacement = text(3);
    if (search.empty()) continue;
    const bool ignoreCase = random() % 2;
    const ReplaceRule rule{search, replacement, true, 0, ignoreCase, false};
    if (ReplacementKeepsMatching(rule)) continue;
    auto fold = [&](std::string s) {
      if (ignoreCase) for (char& c : s) c = static_cast<char>(std::tolower(c));
      return s;
    };
    std::optional<std::string> plain = name;
    for (int pass = 0; plain; ++pass) {
      const size_t at = fold(*plain).find(fold(search));
      if (at == std::string::npos) break;
      if (pass == 2000) plain.reset();
      else plain->replace(at, search.size(), replacement);
    }
    const auto fast = ReplaceInName(name, rule);
    if (plain && plain->size() <= kLongestNameBytes) {
      EXPECT_EQ(fast, plain) << name << " " << search << " " << replacement;
    } else {
      EXPECT_TRUE(fast && fast->size() > kLongestNameBytes) << name << " " << search << " " << replacement;
    }
  }
}

TEST(ReplacementKeepsMatching, UnderTheCaseRuleAndDirectionInForce) {
  EXPECT_TRUE(ReplacementKeepsMatching({"a", "xa", true, 0, false, false}));
  EXPECT_TRUE(ReplacementKeepsMatching({"a", "XA", true, 0, true, false}));
  EXPECT_FALSE(ReplacementKeepsMatching({"a", "XA", true, 0, false, false}));
  EXPECT_FALSE(ReplacementKeepsMatching({"a", "xa", false, 1, false, false}));  // N-th always ends
  EXPECT_TRUE(ReplacementKeepsMatching({"文", "文件", true, 0, false, true}));
  EXPECT_FALSE(ReplacementKeepsMatching({"ab", "", true, 0, false, false}));
}

RenameOptions ReplaceOptions(const char* search, const char* replacement) {
  RenameOptions options;
  options.RenameType = kReplaceCharacters;
  options.SearchText = search;
  options.ReplacementText = replacement;
  return options;
}

TEST(ReplaceCharacters, ReadsModeAndReplacementFromTheOptions) {
  const NameList current{"abcabc.txt", "b"};
  NameList newNames;
  RenameOptions options = ReplaceOptions("b", "X");
  EXPECT_EQ(ReplaceCharacters(options, current, newNames).newNames, NewNamesResult::Computed);
  EXPECT_EQ(newNames, (NameList{"aXcaXc.txt", "X"}));

  options.ReplaceAll = false;
  options.NthValue = "２";
  ReplaceCharacters(options, current, newNames);
  EXPECT_EQ(newNames, (NameList{"abcaXc.txt", "b"}));

  options.NthValue = "";  // reads as 0: nothing replaced
  ReplaceCharacters(options, current, newNames);
  EXPECT_EQ(newNames, current);

  // Deleting ignores the replacement text and follows the delete mode.
  options.UseReplacement = false;
  options.DeleteAll = true;
  ReplaceCharacters(options, current, newNames);
  EXPECT_EQ(newNames, (NameList{"acac.txt", ""}));
  options.DeleteAll = false;
  options.NthValue = "1";
  options.SearchFromRight = true;
  ReplaceCharacters(options, current, newNames);
  EXPECT_EQ(newNames, (NameList{"abcac.txt", ""}));
}

TEST(ReplaceCharacters, EmptySearchTextWarnsAndShowsTheCurrentNames) {
  const NameList current{"a.txt", "b.txt"};
  NameList newNames{"old1", "old2"};
  const auto outcome = ReplaceCharacters(ReplaceOptions("", "x"), current, newNames);
  EXPECT_EQ(outcome.newNames, NewNamesResult::SetToCurrentNames);
  EXPECT_EQ(outcome.notice, (Notice{"警告：", messages::kEmptySearchText}));
  EXPECT_EQ(newNames, current);
}

TEST(ReplaceCharacters, RefusesAReplacementThatHoldsTheSearchText) {
  const NameList current{"a.txt"};
  NameList newNames{"old"};
  const auto outcome = ReplaceCharacters(ReplaceOptions("a", "aa"), current, newNames);
  EXPECT_EQ(outcome.newNames, NewNamesResult::SetToCurrentNames);
  EXPECT_EQ(outcome.notice, (Notice{"警告：", messages::kReplacementContainsSearch}));
  EXPECT_EQ(newNames, current);

  RenameOptions nth = ReplaceOptions("a", "aa");
  nth.ReplaceAll = false;
  nth.NthValue = "1";
  EXPECT_FALSE(ReplaceCharacters(nth, current, newNames).notice);
  EXPECT_EQ(newNames, NameList{"aa.txt"});
}

TEST(ReplaceCharacters, ANameThatNeverEndsGetsItsNameAsItStoodPastTheLongest) {
  const NameList current{"aab", "xab"};
  NameList newNames;
  RenameOptions options = ReplaceOptions("ab", "bbaa");
  options.IgnoreCase = false;
  const auto outcome = ReplaceCharacters(options, current, newNames);
  EXPECT_EQ(outcome.newNames, NewNamesResult::Computed);
  EXPECT_EQ(outcome.notice, std::nullopt);
  ASSERT_EQ(newNames.size(), 2u);
  EXPECT_EQ(newNames[0].size(), kLongestNameBytes + 1);
  EXPECT_EQ(newNames[1], "xbbaa");
}

}  // namespace
}  // namespace rules
