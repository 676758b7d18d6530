#include "rules/compute_new_names.h"

#include <gtest/gtest.h>

namespace rules {
namespace {

ProgramState PickedState() {
  ProgramState state;
  state.FillFromPicked("C:\\work\\", {"abc.txt", "Read Me.md"});
  return state;
}

TEST(ComputeNewNames, RunsTheComputationOfTheChosenType) {
  RenameOptions options;
  options.AddText = "x";
  options.DeleteCount = "1";
  options.SearchText = "e";
  options.ReplacementText = "E";
  options.IgnoreCase = false;
  options.CaseMode = kAllLower;
  options.NumberStyle = 0;
  const NameList expected[] = {
      {"xabc.txt", "xRead Me.md"},  // add
      {"bc.txt", "ead Me.md"},      // delete
      {"abc.txt", "REad ME.md"},    // replace
      {"abc.txt", "read me.md"},    // case
      {"1abc.txt", "2Read Me.md"},  // number
  };
  for (int type = kAddCharacters; type <= kAddSequenceNumber; ++type) {
    SCOPED_TRACE(type);
    ProgramState state = PickedState();
    options.RenameType = type;
    EXPECT_EQ(ComputeNewNames(options, state).newNames, NewNamesResult::Computed);
    EXPECT_EQ(state.NewNames, expected[type - 1]);
    EXPECT_EQ(state.CurrentNames, (NameList{"abc.txt", "Read Me.md"}));
    EXPECT_EQ(state.UndoNames, state.CurrentNames);
  }
}

TEST(ComputeNewNames, StartsFromTheCurrentNamesEveryTime) {
  ProgramState state = PickedState();
  RenameOptions options;
  options.AddText = "_";
  ComputeNewNames(options, state);
  ComputeNewNames(options, state);
  EXPECT_EQ(state.NewNames, (NameList{"_abc.txt", "_Read Me.md"}));
}

TEST(ComputeNewNames, UnknownTypeLeavesNewNamesAlone) {
  ProgramState state = PickedState();
  state.NewNames = {"p", "q"};
  RenameOptions options;
  options.RenameType = 6;
  const auto outcome = ComputeNewNames(options, state);
  EXPECT_EQ(outcome.newNames, NewNamesResult::KeptAsBefore);
  EXPECT_FALSE(outcome.notice);
  EXPECT_EQ(state.NewNames, (NameList{"p", "q"}));
}

}  // namespace
}  // namespace rules
