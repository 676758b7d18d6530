#include "exec/batch_rename.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "exec/plain_name.h"

namespace exec {
namespace {

std::string Folded(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; });
  return text;
}

// A folder as Windows keeps it: names unique whatever their letter case,
// each file with its contents.
class FakeFiles final : public FileOperations {
 public:
  std::map<std::string, std::string> files;  // full path -> contents
  std::vector<std::string> calls;

  const std::string* Find(const std::string& path) const {
    for (const auto& [name, contents] : files) {
      if (Folded(name) == Folded(path)) return &name;
    }
    return nullptr;
  }
  bool Exists(const std::string& path) override {
    calls.push_back("exists " + path);
    return Find(path) != nullptr;
  }
  bool Rename(const std::string& from, const std::string& to) override {
    calls.push_back("rename " + from + " > " + to);
    const std::string* source = Find(from);
    if (!source) return false;
    const std::string* target = Find(to);
    if (target && Folded(*target) != Folded(*source)) return false;  // never replaces
    const std::string contents = files.at(*source);
    files.erase(*source);
    files[to] = contents;
    return true;
  }
};

class RecordingWindow final : public RenameWindow {
 public:
  std::deque<bool> answers;
  std::vector<std::string> prompts;  // "title|text"
  std::vector<std::string> oldCells, newCells;
  std::vector<uint32_t> positions;
  uint32_t maximum = 0;
  bool batchEnabled = true, undoEnabled = false, closeRequested = false, folderOpened = false;

  bool AskYesNo(const std::string& text, const std::string& title) override {
    prompts.push_back(title + "|" + text);
    if (answers.empty()) {
      ADD_FAILURE() << "unexpected question " << text;
      return false;
    }
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void Tell(const std::string& text, const std::string& title) override {
    prompts.push_back(title + "|" + text + "|OK");
  }
  void SetOldNameCell(size_t row, const std::string& text) override { oldCells.at(row) = text; }
  void ClearNewNameCell(size_t row) override { newCells.at(row).clear(); }
  void SetProgressMaximum(uint32_t value) override { maximum = value; }
  void SetProgressPosition(uint32_t value) override { positions.push_back(value); }
  void EnableButtons(bool batch, bool undo) override {
    batchEnabled = batch;
    undoEnabled = undo;
  }
  void RequestClose() override { closeRequested = true; }
  void OpenFolder() override { folderOpened = true; }
};

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
    state.FillFromSelection("C:\\d\\", "");
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
  FakeFiles files;
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
  EXPECT_FALSE(window.batchEnabled);
  EXPECT_TRUE(window.undoEnabled);
  EXPECT_EQ(window.maximum, 2u);
  EXPECT_EQ(window.positions, (std::vector<uint32_t>{1, 2, 0}));
  EXPECT_FALSE(window.folderOpened);
  EXPECT_FALSE(window.closeRequested);
  // One call per file when all goes well: the existence test waits for a failure.
  EXPECT_EQ(files.calls.size(), 2u);
}

TEST_F(BatchRenameTest, TakenTargetFailsAndLeavesTheOtherFileAlone) {
  Pick({"a.txt", "b.txt"}, {"b.txt", "c.txt"});
  window.answers = {true, true};
  BatchRename(state, files, window);
  EXPECT_EQ(window.prompts, (std::vector<std::string>{BatchFailure("", "a.txt", "b.txt"), kDone}));
  EXPECT_EQ(Disk(), Expect({{"a.txt", "a.txt"}, {"c.txt", "b.txt"}}));
  EXPECT_EQ(state.CurrentNames, (rules::NameList{"a.txt", "c.txt"}));
  EXPECT_EQ(window.newCells, (std::vector<std::string>{"", ""}));
  EXPECT_TRUE(window.folderOpened);
}

TEST_F(BatchRenameTest, SwappedNamesBothFail) {
  Pick({"a", "b"}, {"b", "a"});
  window.answers = {true, true, false};
  BatchRename(state, files, window);
  EXPECT_EQ(window.prompts, (std::vector<std::string>{BatchFailure("", "a", "b"),
                                                       BatchFailure("", "b", "a"), kDone}));
  EXPECT_EQ(Disk(), Expect({{"a", "a"}, {"b", "b"}}));
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
  Pick({"a", "b", "c", "d"}, {"A1", "c", "C1", "D1"});
  window.answers = {false, true};  // No at file 2, then Yes: open the folder
  BatchRename(state, files, window);

  EXPECT_EQ(window.prompts, (std::vector<std::string>{BatchFailure("", "b", "c"), kDone}));
  EXPECT_EQ(Disk(), Expect({{"A1", "a"}, {"b", "b"}, {"c", "c"}, {"d", "d"}}));
  EXPECT_EQ(state.CurrentNames, (rules::NameList{"A1", "b", "c", "d"}));
  EXPECT_EQ(state.UndoNames, (rules::NameList{"a", "b", "c", "d"}));
  EXPECT_EQ(window.newCells, (std::vector<std::string>{"", "c", "C1", "D1"}));
  EXPECT_EQ(window.positions, (std::vector<uint32_t>{1, 0}));
  EXPECT_TRUE(window.closeRequested);
  EXPECT_TRUE(window.undoEnabled);
  EXPECT_FALSE(window.batchEnabled);
  EXPECT_TRUE(window.folderOpened);
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
  EXPECT_EQ(window.positions[39999], 40000u);
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
  EXPECT_FALSE(window.batchEnabled || window.undoEnabled);
  EXPECT_EQ(window.positions, (std::vector<uint32_t>{0, 1, 2, 0}));
}

TEST_F(BatchRenameTest, UndoRenamesASkippedFileOntoItsOwnName) {
  Pick({"a", "b", "taken"}, {"taken", "y", "z"});
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
  EXPECT_EQ(Disk(), Expect({{"y", "b"}}));
  EXPECT_EQ(state.CurrentNames, (rules::NameList{"x", "y"}));
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
  EXPECT_TRUE(window.undoEnabled);
  EXPECT_EQ(state.CurrentNames, rules::NameList{"x"});
}

TEST(IsPlainFileName, RefusesWhatWouldNotStayAPlainName) {
  for (const char* good : {"a.txt", "报告.doc", "a b", ".profile", "a..b", "console.txt"}) {
    EXPECT_TRUE(IsPlainFileName(good)) << good;
  }
  for (const char* bad : {"", ".", "..", "..\\x", "sub\\x", "a/b", "c:d", "a*", "a?", "\"a\"", "<a>",
                          "a|b", "tab\there", "dot.", "blank ", "\x81", "a\x81", "\x80x", "\xFF",
                          "\x81\x7F", "CON", "nul.txt", "Com1", "LPT9.log", "aux .txt"}) {
    EXPECT_FALSE(IsPlainFileName(bad)) << bad;
  }
  EXPECT_TRUE(IsPlainFileName("\x81\x40"));  // a character whose trail byte is "@"
  EXPECT_TRUE(IsPlainFileName("\x81\x5C"));  // trail byte "\" is part of the character
  EXPECT_TRUE(IsPlainFileName("COM0"));
}

}  // namespace
}  // namespace exec
