// A batch of 3,000 files cut short: the program killed, or ended with 退出,
// in the middle of it. The next start offers the old names back.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "started_program.h"

namespace testing_support {
namespace {

constexpr int kFiles = 3000;
constexpr char kQuestionTitle[] = "提示：";
constexpr char kUndoDone[] = "撤销完成！文件名恢复到此次更名前的状态！";

std::wstring FileName(int i) { return L"photo_" + std::to_wstring(10000 + i) + L".jpg"; }

// A folder of 3,000 files with the program beside them; the journals of
// earlier runs of the tests are gone.
class CutShortRunTest : public testing::Test {
 protected:
  void SetUp() override {
    ClearJournals();
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"rntool_cut_short\\";
    Empty();
    CreateDirectoryW(folder_.c_str(), nullptr);
    for (int i = 0; i < kFiles; ++i) {
      CloseHandle(CreateFileW((folder_ + FileName(i)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              0, nullptr));
    }
    ASSERT_TRUE(CopyFileW(ProgramPath().c_str(), (folder_ + L"rntool.exe").c_str(), FALSE));
  }
  void TearDown() override {
    Empty();
    ClearJournals();
  }

  void Empty() {
    DeleteFilesIn(folder_);
    RemoveDirectoryW(folder_.c_str());
  }
  std::set<std::wstring> Names() const {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder_ + L"*.jpg").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      names.insert(entry.cFileName);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return names;
  }
  size_t Renamed() const {
    size_t renamed = 0;
    for (const std::wstring& name : Names()) renamed += name[0] == L'1';
    return renamed;
  }
  // Every file under its old name or under "1" and its old name.
  bool EveryFileUnderOneOfItsNames() const {
    const std::set<std::wstring> names = Names();
    if (names.size() != kFiles) return false;
    for (int i = 0; i < kFiles; ++i) {
      if (!names.count(FileName(i)) && !names.count(L"1" + FileName(i))) return false;
    }
    return true;
  }
  bool EveryOldName() const {
    const std::set<std::wstring> names = Names();
    if (names.size() != kFiles) return false;
    for (int i = 0; i < kFiles; ++i) {
      if (!names.count(FileName(i))) return false;
    }
    return true;
  }

  // Every file but the program picked, "1" added in front, Batch rename
  // pressed; returns once some hundred files have their new names.
  HWND StartABatch(StartedProgram& program) {
    if (!StartABatchOn(program, [](const std::wstring& name) { return name != L"rntool.exe"; }, L"1")) {
      return nullptr;
    }
    for (int waited = 0; Renamed() < 300 && waited < 60000; waited += 100) Sleep(100);
    return WaitForWindow(program, kMainWindowTitle, 0);
  }

  // Answers the question at the next start; true when it was asked.
  bool AnswerTheQuestion(StartedProgram& program, int button, std::string& text) {
    HWND question = WaitForWindow(program, kQuestionTitle, kPatienceMs);
    if (!question) return false;
    text = MessageText(question);
    PostMessageW(question, WM_COMMAND, button, 0);
    return true;
  }

  std::wstring folder_;
};

TEST_F(CutShortRunTest, KilledMidBatchTheNextStartPutsEveryNameBack) {
  {
    StartedProgram program(folder_ + L"rntool.exe");
    ASSERT_NE(StartABatch(program), nullptr);
    program.Kill();
  }
  const size_t renamed = Renamed();
  ASSERT_GT(renamed, 0u);
  ASSERT_LT(renamed, static_cast<size_t>(kFiles));
  ASSERT_TRUE(EveryFileUnderOneOfItsNames());

  StartedProgram again(folder_ + L"rntool.exe");
  std::string question;
  ASSERT_TRUE(AnswerTheQuestion(again, IDYES, question));
  EXPECT_NE(question.find(platform::ToGbk(folder_)), std::string::npos) << question;
  EXPECT_NE(question.find(" " + std::to_string(renamed) + " "), std::string::npos) << question;
  HWND done = nullptr;
  for (int waited = 0; !done && waited < 60000; waited += 50) {
    done = WaitForWindow(again, kQuestionTitle, 50);
    if (done && MessageText(done) != kUndoDone) done = nullptr;
  }
  ASSERT_NE(done, nullptr);
  PostMessageW(done, WM_COMMAND, IDOK, 0);
  HWND main = WaitForWindow(again, kMainWindowTitle, kPatienceMs);
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(EveryOldName());
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(again.HasEnded(kPatienceMs));
}

TEST_F(CutShortRunTest, ExitMidBatchEndsTheProgramAndNoLeavesTheFolderForGood) {
  {
    StartedProgram program(folder_ + L"rntool.exe");
    HWND main = StartABatch(program);
    ASSERT_NE(main, nullptr);
    PostMessageW(main, WM_COMMAND, ui::kCommandExit, 0);
    ASSERT_TRUE(program.HasEnded(kPatienceMs));
    EXPECT_EQ(program.ExitCode(), 0u);
  }
  EXPECT_TRUE(EveryFileUnderOneOfItsNames());
  const std::set<std::wstring> cut = Names();
  {
    StartedProgram again(folder_ + L"rntool.exe");
    std::string question;
    ASSERT_TRUE(AnswerTheQuestion(again, IDNO, question));
    HWND main = WaitForWindow(again, kMainWindowTitle, kPatienceMs);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(Names(), cut);
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(again.HasEnded(kPatienceMs));
  }
  StartedProgram third(folder_ + L"rntool.exe");
  ASSERT_NE(WaitForWindow(third, kMainWindowTitle, kPatienceMs), nullptr);
  EXPECT_EQ(WaitForWindow(third, kQuestionTitle, 0), nullptr);
  PostMessageW(WaitForWindow(third, kMainWindowTitle, 0), WM_CLOSE, 0, 0);
  EXPECT_TRUE(third.HasEnded(kPatienceMs));
}

}  // namespace
}  // namespace testing_support
