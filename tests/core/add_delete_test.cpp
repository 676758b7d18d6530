#include "rules/add_delete.h"

#include <gtest/gtest.h>

namespace rules {
namespace {

struct AddCase {
  const char* name;
  const char* text;
  const char* position;
  bool fromRight;
  const char* expected;
};

class AddCharactersTest : public testing::TestWithParam<AddCase> {};

TEST_P(AddCharactersTest, InsertsAtTheBytePosition) {
  const AddCase& c = GetParam();
  RenameOptions options;
  options.AddText = c.text;
  options.AddPosition = c.position;
  options.AddFromRight = c.fromRight;
  NameList newNames;
  const auto outcome = AddCharacters(options, {c.name}, newNames);
  EXPECT_EQ(outcome.newNames, NewNamesResult::Computed);
  EXPECT_FALSE(outcome.notice);
  EXPECT_EQ(newNames, NameList{c.expected});
}

INSTANTIATE_TEST_SUITE_P(
    Positions, AddCharactersTest,
    testing::Values(AddCase{"abcdef.txt", "_x", "3", false, "abc_xdef.txt"},
                    AddCase{"abcdef.txt", "_x", "4", true, "abcdef_x.txt"},
                    AddCase{"abcdef.txt", "_x", "0", true, "abcdef.txt_x"},
                    AddCase{"abcdef.txt", "_x", "99", true, "_xabcdef.txt"},
                    AddCase{"abcdef.txt", "_x", "", false, "_xabcdef.txt"},
                    AddCase{"abcdef.txt", "_x", "", true, "abcdef.txt_x"},
                    AddCase{"abcdef.txt", "_x", "-5", false, "_xabcdef.txt"},
                    // Each length is truncated by itself: 3.9 keeps 3 bytes before, 10 - 3.9 keeps 6 after.
                    AddCase{"abcdef.txt", "_x", "3.9", false, "abc_xef.txt"},
                    AddCase{"abcdef.txt", "", "3", false, "abcdef.txt"},
                    // Beyond the 32-bit range still means past the end.
                    AddCase{"abcdef.txt", "_x", "1e100", false, "abcdef.txt_x"},
                    AddCase{"abcdef.txt", "_x", "1e999", false, "abcdef.txt_x"},
                    AddCase{"abcdef.txt", "_x", "-1e100", true, "abcdef.txt_x"},
                    AddCase{"abcdef.txt", "_x", "1e100", true, "_xabcdef.txt"},
                    // Position 1 cuts 文 after its lead byte.
                    AddCase{"文.txt", "_", "1", false, "\xCE_\xC4.txt"},
                    // Position 2 cuts É (a four-byte code) in two: the plan marks that name invalid.
                    AddCase{"\x81\x30\x87\x37.txt", "_", "2", false, "\x81\x30_\x87\x37.txt"}));

struct DeleteCase {
  const char* name;
  const char* position;
  const char* count;
  bool fromRight;
  const char* expected;
};

class DeleteCharactersTest : public testing::TestWithParam<DeleteCase> {};

TEST_P(DeleteCharactersTest, RemovesTheByteRun) {
  const DeleteCase& c = GetParam();
  RenameOptions options;
  options.DeletePosition = c.position;
  options.DeleteCount = c.count;
  options.DeleteFromRight = c.fromRight;
  NameList newNames{"previous"};
  const auto outcome = DeleteCharacters(options, {c.name}, newNames);
  EXPECT_EQ(outcome.newNames, NewNamesResult::Computed);
  EXPECT_EQ(newNames, NameList{c.expected});
}

INSTANTIATE_TEST_SUITE_P(
    Positions, DeleteCharactersTest,
    testing::Values(DeleteCase{"abcdef.txt", "1", "2", false, "adef.txt"},
                    DeleteCase{"abcdef.txt", "4", "3", true, "abc.txt"},
                    DeleteCase{"abcdef.txt", "8", "5", false, "abcdef.t"},
                    DeleteCase{"abcdef.txt", "4", "99", true, ".txt"},
                    DeleteCase{"abcdef.txt", "10", "3", false, "abcdef.txt"},
                    DeleteCase{"abcdef.txt", "3", "0", false, "abcdef.txt"},
                    DeleteCase{"abcdef.txt", "", "", false, "abcdef.txt"},
                    DeleteCase{"abcdef.txt", "", "", true, "abcdef.txt"},
                    DeleteCase{"abcdef", "2", "-1", false, "abbcdef"},
                    DeleteCase{"abcdef", "2", "-1", true, "abcdeef"},
                    DeleteCase{"文件名.txt", "0", "2", false, "件名.txt"},
                    DeleteCase{"文件名.txt", "0", "1", false, "\xC4件名.txt"},
                    DeleteCase{"abcdef", "1e100", "2", false, "abcdef"},
                    DeleteCase{"abcdef", "1", "1e100", false, "a"},
                    DeleteCase{"abcdef", "1", "1e100", true, "f"},
                    // Infinite position and count: L - P - C is NaN, read as 0.
                    DeleteCase{"abcdef", "1e999", "-1e999", false, "abcdef"},
                    DeleteCase{"abcdef", "1e999", "-1e999", true, "abcdef"}));

TEST(AddDeleteCharacters, EveryPickedNameInOrder) {
  RenameOptions options;
  options.AddText = "新";
  NameList newNames;
  AddCharacters(options, {"a", "b", ""}, newNames);
  EXPECT_EQ(newNames, (NameList{"新a", "新b", "新"}));
  DeleteCharacters(options, {}, newNames);
  EXPECT_TRUE(newNames.empty());
}

}  // namespace
}  // namespace rules
