#include "exec/rename_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "exec/plain_name.h"
#include "recording_window.h"
#include "simulated_folder.h"

namespace exec {
namespace {

using testing_support::BatchRename;
using testing_support::RecordingWindow;
using testing_support::UndoLastBatch;
using testing_support::SimulatedFolder;
using testing_support::SimulatedNameKey;

const std::string kDone =
    "提示：|更名完成，是否立即打开文件夹查看文件？（如果有问题可以点击撤销按钮撤销此次操作！）";
const std::string kUndoAsk = "警告：|即将撤销上一次更名，是否继续？";
const std::string kUndoDone = "提示：|撤销完成！文件名恢复到此次更名前的状态！|OK";

std::string BatchFailure(const std::string& prefix, const std::string& from, const std::string& to) {
  return "警告:|" + prefix + from + " 更改为： " + to +
         " 更名失败,可能是没有相关权限,请以管理员身份运行本程序.是否继续更改后续文件？";
}

std::string UndoFailure(const std::string& from, const std::string& to) {
  return "提示：|文件  " + from + "  更名为   " + to +
         " 更名失败，可能是没有相关权限，请以管理员身份运行本程序。是否继续更改后续文件？  ";
}

class BatchRenameTest : public testing::Test {
 protected:
  // Files named `names` in C:\d\ (each holding its own name), all picked,
  // with `targets` previewed.
  void Pick(const rules::NameList& names, const rules::NameList& targets) {
    for (const std::string& name : names) files.files["C:\\d\\" + name] = "contents of " + name;
    state.FillFromPicked("C:\\d\\", {});
    state.CurrentNames = state.UndoNames = names;
    state.NewNames = targets;
    window.oldCells = names;
    window.newCells = targets;
  }
  std::map<std::string, std::string> Disk() const { return files.files; }
  std::map<std::string, std::string> Expect(const std::map<std::string, std::string>& byName) {
    std::map<std::string, std::string> disk;
    for (const auto& [name, original] : byName) disk["C:\\d\\" + name] = "contents of " + original;
    return disk;
  }

  rules::ProgramState state;
  SimulatedFolder files;
  RecordingWindow window;
};

TEST_F(BatchRenameTest, EverySuccessfulRename) {
  Pick({"a.txt", "b.txt"}, {"1a.txt", "2b.txt"});
  window.answers = {false};
  BatchRename(state, files, window);

  EXPECT_EQ(window.prompts, std::vector<std::string>{kDone});
  EXPECT_EQ(Disk(), Expect({{"1a.txt", "a.txt"}, {"2b.txt", "b.txt"}}));
  EXPECT_EQ(state.CurrentNames, (rules::NameList{"1a.txt", "2b.txt"}));
  EXPECT_EQ(state.UndoNames, (rules::NameList{"a.txt", "b.txt"}));
  EXPECT_EQ(window.oldCells, (std::vector<std::string>{"1a.txt", "2b.txt"}));
  EXPECT_EQ(window.newCells, (std::vector<std::string>{"", ""}));
  EXPECT_EQ(window.maximum, 2u);
  EXPECT_EQ(window.positions, (std::vector<uint32_t>{0, 1, 2}));
  EXPECT_FALSE(window.folderOpened);
  EXPECT_FALSE(window.closeRequested);
  // One call per file when all goes well: the existence test waits for a failure.
  EXPECT_EQ(files.calls.size(), 2u);
}

TEST_F(BatchRenameTest, TakenTargetFailsAndLeavesTheOtherFileAlone) {
  Pick({"a.txt", "b.txt"}, {"x.txt", "c.txt"});
  files.files["C:\\d\\X.TXT"] = "contents of X.TXT";  // not picked
  window.answers = {true, true};
  BatchRename(state, files, window);
  EXPECT_EQ(window.prompts, (std::vector<std::string>{BatchFailure("", "a.txt", "x.txt"), kDone}));
  EXPECT_EQ(Disk(), Expect({{"a.txt", "a.txt"}, {"c.txt", "b.txt"}, {"X.TXT", "X.TXT"}}));
  EXPECT_EQ(state.CurrentNames, (rules::NameList{"a.txt", "c.txt"}));
  EXPECT_EQ(window.newCells, (std::vector<std::string>{"", ""}));
  EXPECT_TRUE(window.folderOpened);
}

// "a" -> "aa" waits until "aa" has become "aaa"; Undo goes the other way.
TEST_F(BatchRenameTest, AChainRenamesFromItsFarEndAndUndoFromItsNearEnd) {
  Pick({"a", "aa", "b"}, {"aa", "aaa", "ab"});
  window.answers = {false};
  BatchRename(state, files, window);
  EXPECT_EQ(window.prompts, std::vector<std::string>{kDone});
  EXPECT_EQ(Disk(), Expect({{"aa", "a"}, {"aaa", "aa"}, {"ab", "b"}}));
  EXPECT_EQ(window.oldCells, (std::vector<std::string>{"aa", "aaa", "ab"}));
  EXPECT_EQ(state.UndoOrder, (std::vector<size_t>{2, 0, 1}));
  files.calls.clear();
  window.answers = {true};
  UndoLastBatch(state, files, window);
  EXPECT_EQ(files.calls, (std::vector<std::string>{"rename C:\\d\\ab > C:\\d\\b",
                                                    "rename C:\\d\\aa > C:\\d\\a",
                                                    "rename C:\\d\\aaa > C:\\d\\aa"}));
  EXPECT_EQ(Disk(), Expect({{"a", "a"}, {"aa", "aa"}, {"b", "b"}}));
}

// A locked file in the middle of a cycle: the parked file goes back to its
// own name, and the file that had taken that name goes back first.
TEST_F(BatchRenameTest, ACycleThatCannotCloseIsPutBackAsItWas) {
  Pick({"1", "2", "3"}, {"2", "3", "1"});
  files.locked.insert("C:\\d\\2");
  window.answers = {true, true, true, false};
  BatchRename(state, files, window);
  // 3 -> 1 went through, 2 -> 3 is locked, then 1 (parked) -> 2 can't.
  EXPECT_EQ(window.prompts, (std::vector<std::string>{BatchFailure("", "2", "3"),
                                                       BatchFailure("", "1", "2"), kDone}));
  EXPECT_EQ(Disk(), Expect({{"1", "1"}, {"2", "2"}, {"3", "3"}}));
  EXPECT_EQ(state.CurrentNames, (rules::NameList{"1", "2", "3"}));
  EXPECT_EQ(window.oldCells, (std::vector<std::string>{"1", "2", "3"}));
}

TEST_F(BatchRenameTest, NoInsideACycleStillBringsTheParkedFileBack) {
  Pick({"1", "2", "3"}, {"2", "3", "1"});
  files.locked.insert("C:\\d\\2");
  window.answers = {false, false};
  BatchRename(state, files, window);
  EXPECT_EQ(window.prompts, (std::vector<std::string>{BatchFailure("", "2", "3"), kDone}));
  EXPECT_EQ(Disk(), Expect({{"1", "1"}, {"2", "2"}, {"3", "3"}}));
  EXPECT_TRUE(window.closeRequested);
}

TEST_F(BatchRenameTest, AParkedFileThatCannotGoBackIsNamedInAMessage) {
  Pick({"1", "2"}, {"2", "1"});
  // The parked file is locked: "2" -> "1" succeeds, "2" goes back, but the
  // parked file can't move again.
  files.locked.insert("C:\\d\\1.~改名中");
  window.answers = {true, false};
  BatchRename(state, files, window);
  EXPECT_EQ(window.prompts,
            (std::vector<std::string>{"警告:|文件 1 暂存为 1.~改名中，未能改回原名，请手动改回。|OK",
                                      BatchFailure("", "1.~改名中", "2"), kDone}));
  EXPECT_EQ(Disk(), Expect({{"1.~改名中", "1"}, {"2", "2"}}));
  EXPECT_EQ(state.CurrentNames, (rules::NameList{"1.~改名中", "2"}));
}

TEST_F(BatchRenameTest, SwappedNamesGoThroughAParkingNameAndUndoSwapsBack) {
  Pick({"a", "b"}, {"b", "a"});
  window.answers = {false};
  BatchRename(state, files, window);
  EXPECT_EQ(window.prompts, std::vector<std::string>{kDone});
  EXPECT_EQ(Disk(), Expect({{"b", "a"}, {"a", "b"}}));
  EXPECT_EQ(files.calls, (std::vector<std::string>{"rename C:\\d\\a > C:\\d\\a.~改名中",
                                                    "rename C:\\d\\b > C:\\d\\a",
                                                    "rename C:\\d\\a.~改名中 > C:\\d\\b"}));
  EXPECT_EQ(state.CurrentNames, (rules::NameList{"b", "a"}));
  EXPECT_EQ(window.positions, (std::vector<uint32_t>{0, 1, 2}));

  window.answers = {true};
  UndoLastBatch(state, files, window);
  EXPECT_EQ(Disk(), Expect({{"a", "a"}, {"b", "b"}}));
  EXPECT_EQ(window.prompts.back(), kUndoDone);
}

TEST_F(BatchRenameTest, MissingSourceGetsThePrefix) {
  Pick({"gone.txt", "b.txt"}, {"x.txt", "y.txt"});
  files.files.erase("C:\\d\\gone.txt");
  window.answers = {true, false};
  BatchRename(state, files, window);
  EXPECT_EQ(window.prompts.front(), BatchFailure("源文件不存在！！！", "gone.txt", "x.txt"));
  EXPECT_EQ(state.CurrentNames, (rules::NameList{"gone.txt", "y.txt"}));
}

TEST_F(BatchRenameTest, NoStopsTheBatchButTheLastStepsStillRun) {
  Pick({"a", "b", "c", "d"}, {"A1", "x", "C1", "D1"});
  files.files["C:\\d\\x"] = "contents of x";
  window.answers = {false, true};  // No at file 2, then Yes: open the folder
  BatchRename(state, files, window);

  EXPECT_EQ(window.prompts, (std::vector<std::string>{BatchFailure("", "b", "x"), kDone}));
  EXPECT_EQ(Disk(), Expect({{"A1", "a"}, {"b", "b"}, {"c", "c"}, {"d", "d"}, {"x", "x"}}));
  EXPECT_EQ(state.CurrentNames, (rules::NameList{"A1", "b", "c", "d"}));
  EXPECT_EQ(state.UndoNames, (rules::NameList{"a", "b", "c", "d"}));
  EXPECT_EQ(window.newCells, (std::vector<std::string>{"", "x", "C1", "D1"}));
  EXPECT_EQ(window.positions, (std::vector<uint32_t>{0, 1}));
  EXPECT_TRUE(window.closeRequested);
  EXPECT_TRUE(window.folderOpened);
}

// Closing the window stops the run after the file in hand, as a No does.
TEST_F(BatchRenameTest, ClosingTheWindowStopsAfterTheFileInHand) {
  Pick({"a", "b", "c"}, {"x", "y", "z"});
  window.answers = {false};
  BatchRename(state, files, window, 2);
  EXPECT_EQ(Disk(), Expect({{"x", "a"}, {"y", "b"}, {"c", "c"}}));
  EXPECT_EQ(window.prompts, std::vector<std::string>{kDone});
  EXPECT_FALSE(window.closeRequested);  // the window closes of its own accord
  EXPECT_EQ(window.positions, (std::vector<uint32_t>{0, 1, 2}));
  EXPECT_EQ(window.newCells, (std::vector<std::string>{"", "", "z"}));

  // Backwards: the row never reached first ("c" onto itself), then "y".
  window.answers = {true};
  UndoLastBatch(state, files, window, 2);
  EXPECT_EQ(Disk(), Expect({{"x", "a"}, {"b", "b"}, {"c", "c"}}));
  EXPECT_EQ(window.prompts.back(), kUndoDone);
}

// A change of letter case that got half way and could not go back: the
// user hears where the file is, and the failure prompt starts from there.
TEST_F(BatchRenameTest, AFileLeftUnderAMiddleNameIsNamedInAMessage) {
  Pick({"ABC", "d"}, {"abc", "D1"});
  files.strandings["C:\\d\\ABC"] = "ABC.~改大小写";
  window.answers = {true, false};
  BatchRename(state, files, window);
  EXPECT_EQ(window.prompts,
            (std::vector<std::string>{"警告:|文件 ABC 暂存为 ABC.~改大小写，未能改回原名，请手动改回。|OK",
                                      BatchFailure("", "ABC.~改大小写", "abc"), kDone}));
  EXPECT_EQ(state.CurrentNames, (rules::NameList{"ABC.~改大小写", "D1"}));
  EXPECT_EQ(window.oldCells, (std::vector<std::string>{"ABC.~改大小写", "D1"}));
  EXPECT_EQ(Disk(), Expect({{"ABC.~改大小写", "ABC"}, {"D1", "d"}}));
}

TEST_F(BatchRenameTest, CaseOnlyRenameIsAnOrdinaryRename) {
  Pick({"ABC.TXT"}, {"abc.txt"});
  window.answers = {false};
  BatchRename(state, files, window);
  EXPECT_EQ(Disk(), Expect({{"abc.txt", "ABC.TXT"}}));
  EXPECT_EQ(window.prompts, std::vector<std::string>{kDone});
}

TEST_F(BatchRenameTest, NameThatWouldLeaveTheFolderIsNeverTried) {
  Pick({"a", "b", "c", "d"}, {"..\\a", "sub/b", "", "\x81"});
  window.answers = {true, true, true, true, false};
  BatchRename(state, files, window);
  ASSERT_EQ(window.prompts.size(), 5u);
  EXPECT_EQ(window.prompts[0], BatchFailure("", "a", "..\\a"));
  EXPECT_EQ(window.prompts[2], BatchFailure("", "c", ""));
  EXPECT_EQ(Disk(), Expect({{"a", "a"}, {"b", "b"}, {"c", "c"}, {"d", "d"}}));
  for (const std::string& call : files.calls) EXPECT_EQ(call.rfind("rename", 0), std::string::npos);
  EXPECT_EQ(state.CurrentNames, (rules::NameList{"a", "b", "c", "d"}));
}

TEST_F(BatchRenameTest, ProgressUsesTheFullRange) {
  rules::NameList names(40000, "x");
  Pick({}, {});
  state.CurrentNames = names;
  state.NewNames = names;
  window.oldCells = window.newCells = names;
  window.answers = std::deque<bool>(40001, true);
  window.answers.back() = false;
  BatchRename(state, files, window);
  EXPECT_EQ(window.maximum, 40000u);
  EXPECT_EQ(window.positions.back(), 40000u);
}

TEST_F(BatchRenameTest, UndoPutsBackEveryName) {
  Pick({"a", "b"}, {"x", "y"});
  window.answers = {false};
  BatchRename(state, files, window);
  window.answers = {true};
  window.positions.clear();
  UndoLastBatch(state, files, window);
  EXPECT_EQ(window.prompts, (std::vector<std::string>{kDone, kUndoAsk, kUndoDone}));
  EXPECT_EQ(Disk(), Expect({{"a", "a"}, {"b", "b"}}));
  EXPECT_EQ(state.CurrentNames, (rules::NameList{"a", "b"}));
  EXPECT_EQ(window.oldCells, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(window.newCells, (std::vector<std::string>{"", ""}));
  EXPECT_EQ(window.positions, (std::vector<uint32_t>{0, 1, 2}));
}

TEST_F(BatchRenameTest, UndoRenamesASkippedFileOntoItsOwnName) {
  Pick({"a", "b"}, {"taken", "y"});
  files.files["C:\\d\\taken"] = "contents of taken";
  window.answers = {true, false};  // Yes at the failure of "a", no folder
  BatchRename(state, files, window);
  window.answers = {true};
  UndoLastBatch(state, files, window);
  EXPECT_EQ(window.prompts.back(), kUndoDone);
  EXPECT_EQ(window.prompts.size(), 4u);  // no failure prompt in the undo
  EXPECT_EQ(Disk(), Expect({{"a", "a"}, {"b", "b"}, {"taken", "taken"}}));
}

TEST_F(BatchRenameTest, UndoOfAFileMovedAwayPromptsAndNoStops) {
  Pick({"a", "b"}, {"x", "y"});
  window.answers = {false};
  BatchRename(state, files, window);
  files.files.erase("C:\\d\\x");
  window.answers = {true, false};
  UndoLastBatch(state, files, window);
  EXPECT_EQ(window.prompts[2], UndoFailure("x", "a"));
  EXPECT_EQ(window.prompts.back(), kUndoDone);
  EXPECT_TRUE(window.closeRequested);
  // Undo goes backwards: "y" was back to "b" before "x" failed.
  EXPECT_EQ(Disk(), Expect({{"b", "b"}}));
  EXPECT_EQ(state.CurrentNames, (rules::NameList{"x", "b"}));
}

TEST_F(BatchRenameTest, NoToTheUndoQuestionChangesNothing) {
  Pick({"a"}, {"x"});
  window.answers = {false};
  BatchRename(state, files, window);
  const auto positions = window.positions;
  const auto calls = files.calls.size();
  window.answers = {false};
  UndoLastBatch(state, files, window);
  EXPECT_EQ(window.prompts.back(), kUndoAsk);
  EXPECT_EQ(window.positions, positions);
  EXPECT_EQ(files.calls.size(), calls);
  EXPECT_EQ(state.CurrentNames, rules::NameList{"x"});
}

bool IsPlain(std::string_view name) {
  const auto key = SimulatedNameKey(name);
  return key && IsPlainFileName(*key);
}

TEST(IsPlainFileName, RefusesWhatWouldNotStayAPlainName) {
  for (const char* good :
       {"a.txt", "报告.doc", "a b", ".profile", "a..b", "console.txt", "\x80", "\x80\x81\x40"}) {
    EXPECT_TRUE(IsPlain(good)) << good;
  }
  for (const char* bad : {"", ".", "..", "..\\x", "sub\\x", "a/b", "c:d", "a*", "a?", "\"a\"", "<a>",
                          "a|b", "tab\there", "dot.", "blank ", "\x81", "a\x81", "\xFF", "\x80?",
                          "\x81\x7F", "CON", "nul.txt", "Com1", "LPT9.log", "aux .txt"}) {
    EXPECT_FALSE(IsPlain(bad)) << bad;
  }
  EXPECT_TRUE(IsPlain("\x81\x40"));  // a character whose trail byte is "@"
  EXPECT_TRUE(IsPlain("\x81\x5C"));  // trail byte "\" is part of the character
  EXPECT_TRUE(IsPlain("COM0"));
  // Windows reads the superscripts one to three as digits of a device
  // name, in every folder; other superscripts it does not.
  for (const std::u16string_view bad : {u"COM\u00B9", u"COM\u00B2.TXT", u"LPT\u00B3", u"LPT\u00B9.LOG"}) {
    EXPECT_FALSE(IsPlainFileName(bad));
  }
  for (const std::u16string_view good : {u"COM\u2074", u"LPT\u2070.TXT", u"COM\u00B9X", u"X.COM\u00B2"}) {
    EXPECT_TRUE(IsPlainFileName(good));
  }
}

// Undo gives back names the disk held, as they were.
TEST(IsFormerName, TakesEveryNameADiskHoldsButNoSeparator) {
  for (const char* held : {"report.", "memo.txt ", "CON", "a?", "dot.", " "}) {
    const auto key = SimulatedNameKey(held);
    EXPECT_TRUE(key && IsFormerName(*key)) << held;
  }
  for (const char* bad : {"", ".", "..", "a\\b", "a/b"}) {
    EXPECT_FALSE(IsFormerName(*SimulatedNameKey(bad))) << bad;
  }
}

TEST(FitsInFolder, NamesUpTo255UnitsAndPathsUpTo32767) {
  EXPECT_TRUE(FitsInFolder(10, 255));
  EXPECT_FALSE(FitsInFolder(10, 256));
  EXPECT_TRUE(FitsInFolder(32767 - 200, 200));
  EXPECT_FALSE(FitsInFolder(32767 - 200, 201));
}

}  // namespace
}  // namespace exec
