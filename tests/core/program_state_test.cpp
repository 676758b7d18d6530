#include "rules/program_state.h"

#include <gtest/gtest.h>

namespace rules {
namespace {

TEST(ProgramState, StartsEmpty) {
  ProgramState state;
  EXPECT_EQ(state.FolderPath, "");
  EXPECT_TRUE(state.CurrentNames.empty());
  EXPECT_TRUE(state.NewNames.empty());
  EXPECT_TRUE(state.UndoNames.empty());
}

TEST(ProgramState, FillGivesThreeSeparateEqualLists) {
  ProgramState state;
  state.FillFromPicked("C:\\old\\", {"x", "y", "z"});
  state.FillFromPicked("D:\\Tools/", {"a.txt", "报告.doc"});
  EXPECT_EQ(state.FolderPath, "D:\\Tools/");
  const NameList picked{"a.txt", "报告.doc"};
  EXPECT_EQ(state.CurrentNames, picked);
  EXPECT_EQ(state.NewNames, picked);
  EXPECT_EQ(state.UndoNames, picked);

  state.NewNames[0] = "changed";
  state.CurrentNames[1] = "other";
  EXPECT_EQ(state.UndoNames, picked);
  EXPECT_EQ(state.NewNames[1], "报告.doc");
  EXPECT_EQ(state.CurrentNames[0], "a.txt");
}

TEST(ProgramState, ReleaseEmptiesEverything) {
  ProgramState state;
  state.FillFromPicked("C:\\", {"a", "b"});
  state.Release();
  EXPECT_EQ(state.FolderPath, "");
  EXPECT_TRUE(state.CurrentNames.empty() && state.NewNames.empty() && state.UndoNames.empty());
}

}  // namespace
}  // namespace rules
