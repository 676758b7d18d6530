// Runs cut short at a failure prompt (which holds the run still), and a
// folder that changed before the next start: each kind of run comes back
// to the names from before the batch, a folder that is away keeps its
// record, other files under the run's names are never touched, and a
// journal store that can't be written stops a batch until the user says.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "started_program.h"
#include "ui/history/history_window.h"

namespace testing_support {
namespace {

constexpr char kNoteTitle[] = "提示：";
constexpr char kBatchFailureTitle[] = "警告:";
constexpr char kWarningTitle[] = "警告：";
constexpr char kUndoDone[] = "撤销完成！文件名恢复到此次更名前的状态！";
using Folder = std::map<std::wstring, std::string>;  // name -> contents

class ChangedFolderTest : public testing::Test {
 protected:
  void SetUp() override {
    ClearJournals();
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"rntool_changed\\";
    Empty(folder_);
    Empty(Away());
    CreateDirectoryW(folder_.c_str(), nullptr);
    for (int i = 1; i <= 5; ++i) Put(L"f" + std::to_wstring(i), "photo " + std::to_string(i));
    ASSERT_TRUE(CopyFileW(ProgramPath().c_str(), (folder_ + L"rntool.exe").c_str(), FALSE));
  }
  void TearDown() override {
    Empty(folder_);
    Empty(Away());
    ClearJournals();
    const std::wstring store = platform::UserJournalFolder();
    DeleteFileW(store.substr(0, store.size() - 1).c_str());
  }

  std::wstring Away() const { return folder_.substr(0, folder_.size() - 1) + L"_away\\"; }
  static void Empty(const std::wstring& folder) {
    DeleteFilesIn(folder);
    RemoveDirectoryW(folder.c_str());
  }
  void Put(const std::wstring& name, const std::string& contents) {
    const HANDLE file =
        CreateFileW((folder_ + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
    CloseHandle(file);
  }
  // Every file of the folder but the program, with what it holds.
  Folder Files() const {
    Folder files;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder_ + L"*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
      const std::wstring name = entry.cFileName;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY || name == L"rntool.exe") continue;
      const HANDLE file = CreateFileW((folder_ + name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
      char text[64] = {};
      DWORD read = 0;
      ReadFile(file, text, sizeof(text), &read, nullptr);
      CloseHandle(file);
      files[name] = std::string(text, read);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return files;
  }
  static Folder Named(const std::wstring& prefix, int renamed) {
    Folder files;
    for (int i = 1; i <= 5; ++i) files[(i <= renamed ? prefix : L"") + L"f" + std::to_wstring(i)] = "photo " + std::to_string(i);
    return files;
  }

  // f1 to f5 picked, "y" added in front, Batch rename pressed; returns the
  // Edit window.
  static HWND StartABatch(StartedProgram& program) {
    return StartABatchOn(program, [](const std::wstring& name) { return name[0] == L'f'; }, L"y");
  }
  // Waits for a message box with that title; its text, or "" when none came.
  static std::string Answer(StartedProgram& program, const char* title, int button) {
    HWND box = WaitForWindow(program, title, kPatienceMs);
    if (!box) return "";
    const std::string text = MessageText(box);
    PostMessageW(box, WM_COMMAND, button, 0);
    for (int waited = 0; IsWindow(box) && waited < 5000; waited += 20) Sleep(20);
    return text;
  }
  // A batch that stops at its failure prompt for f4 (another file holds
  // "yf4"), killed there.
  void KillABatchAtItsPrompt() {
    Put(L"yf4", "not picked");
    StartedProgram program(folder_ + L"rntool.exe");
    ASSERT_NE(StartABatch(program), nullptr);
    ASSERT_NE(WaitForWindow(program, kBatchFailureTitle, kPatienceMs), nullptr);
    program.Kill();
    Folder expected = Named(L"y", 3);
    expected[L"yf4"] = "not picked";
    ASSERT_EQ(Files(), expected);
  }
  // The next start: its question answered Yes, then Undo's closing message.
  void StartAndPutBack(const std::wstring& exe, const std::string& questionHas) {
    StartedProgram program(exe);
    const std::string question = Answer(program, kNoteTitle, IDYES);
    EXPECT_NE(question.find(questionHas), std::string::npos) << question;
    EXPECT_EQ(Answer(program, kNoteTitle, IDOK), kUndoDone);
    HWND main = WaitForWindow(program, kMainWindowTitle, kPatienceMs);
    ASSERT_NE(main, nullptr);
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.HasEnded(kPatienceMs));
  }

  std::wstring folder_;
};

TEST_F(ChangedFolderTest, ABatchKilledAtAFailurePromptIsUndone) {
  KillABatchAtItsPrompt();
  StartAndPutBack(folder_ + L"rntool.exe", "已有 3 个文件改了名");
  Folder expected = Named(L"", 0);
  expected[L"yf4"] = "not picked";
  EXPECT_EQ(Files(), expected);
}

TEST_F(ChangedFolderTest, AnUndoKilledAtAFailurePromptIsCompleted) {
  {
    StartedProgram program(folder_ + L"rntool.exe");
    HWND edit = StartABatch(program);
    ASSERT_NE(edit, nullptr);
    EXPECT_NE(Answer(program, kNoteTitle, IDNO).find("更名完成"), std::string::npos);  // no folder opened
    ASSERT_EQ(Files(), Named(L"y", 5));
    Put(L"f3", "in the way");
    PostMessageW(Descendant(edit, ui::edit::按钮撤销), BM_CLICK, 0, 0);
    EXPECT_EQ(Answer(program, kWarningTitle, IDYES), "即将撤销上一次更名，是否继续？");
    ASSERT_NE(WaitForWindow(program, kNoteTitle, kPatienceMs), nullptr);  // yf3 cannot go back
    program.Kill();
  }
  DeleteFileW((folder_ + L"f3").c_str());
  StartAndPutBack(folder_ + L"rntool.exe", "撤销没有完成，还有 3 个文件没有改回");
  EXPECT_EQ(Files(), Named(L"", 0));
}

TEST_F(ChangedFolderTest, ARestoreKilledAtAFailurePromptIsCompleted) {
  KillABatchAtItsPrompt();
  Put(L"f2", "in the way");
  {
    StartedProgram program(folder_ + L"rntool.exe");
    EXPECT_NE(Answer(program, kNoteTitle, IDYES).find("已有 3 个文件改了名"), std::string::npos);
    ASSERT_NE(WaitForWindow(program, kNoteTitle, kPatienceMs), nullptr);  // yf2 cannot go back
    program.Kill();
  }
  DeleteFileW((folder_ + L"f2").c_str());
  StartAndPutBack(folder_ + L"rntool.exe", "恢复没有完成，还有 2 个文件没有改回");
  Folder expected = Named(L"", 0);
  expected[L"yf4"] = "not picked";
  EXPECT_EQ(Files(), expected);
}

// The folder moved away (a stick pulled out) between the kill and the
// start: Yes keeps the record, and once the folder is back the usual
// offer puts the names back. (The program is started from its build tree.)
TEST_F(ChangedFolderTest, AFolderAwayAtTheStartIsOfferedAgainWhenBack) {
  KillABatchAtItsPrompt();
  ASSERT_TRUE(MoveFileW(folder_.substr(0, folder_.size() - 1).c_str(), Away().substr(0, Away().size() - 1).c_str()));
  {
    StartedProgram program(ProgramPath());
    const std::string question = Answer(program, kNoteTitle, IDYES);
    EXPECT_NE(question.find("打不开这个文件夹"), std::string::npos) << question;
    HWND main = WaitForWindow(program, kMainWindowTitle, kPatienceMs);
    ASSERT_NE(main, nullptr);
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.HasEnded(kPatienceMs));
  }
  ASSERT_TRUE(MoveFileW(Away().substr(0, Away().size() - 1).c_str(), folder_.substr(0, folder_.size() - 1).c_str()));
  StartAndPutBack(ProgramPath(), "已有 3 个文件改了名");
  Folder expected = Named(L"", 0);
  expected[L"yf4"] = "not picked";
  EXPECT_EQ(Files(), expected);
}

// Another card with files under the run's names: one message, nothing
// renamed, the record set aside.
TEST_F(ChangedFolderTest, OtherFilesUnderTheRunsNamesAreNeverRenamed) {
  KillABatchAtItsPrompt();
  for (const wchar_t* name : {L"yf1", L"yf2", L"yf3"}) Put(name, "another card's photo");
  const Folder changed = Files();
  StartedProgram program(folder_ + L"rntool.exe");
  const std::string message = Answer(program, kNoteTitle, IDOK);
  EXPECT_NE(message.find("已不是"), std::string::npos) << message;
  HWND main = WaitForWindow(program, kMainWindowTitle, kPatienceMs);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(Files(), changed);
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(program.HasEnded(kPatienceMs));
}

// A file where the journal folder should be: the batch asks first, and No
// renames nothing.
TEST_F(ChangedFolderTest, ABlockedJournalStoreAsksAndNoRenamesNothing) {
  const std::wstring store = platform::UserJournalFolder();
  ClearJournals();
  Empty(store);
  const HANDLE blocker = CreateFileW(store.substr(0, store.size() - 1).c_str(), GENERIC_WRITE, 0, nullptr,
                                     CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(blocker, INVALID_HANDLE_VALUE);
  CloseHandle(blocker);
  StartedProgram program(folder_ + L"rntool.exe");
  HWND edit = StartABatch(program);
  ASSERT_NE(edit, nullptr);
  const std::string question = Answer(program, kWarningTitle, IDNO);
  EXPECT_NE(question.find("无法写入更名记录"), std::string::npos) << question;
  Sleep(500);
  EXPECT_EQ(Files(), Named(L"", 0));
  EXPECT_TRUE(IsWindowEnabled(Descendant(edit, ui::edit::按钮更名)));
  PostMessageW(edit, WM_CLOSE, 0, 0);
  HWND main = WaitForWindow(program, kMainWindowTitle, kPatienceMs);
  ASSERT_NE(main, nullptr);
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(program.HasEnded(kPatienceMs));
}

// A batch is kept past the program's end: after a restart the History
// window undoes it, and a file renamed by hand since is left alone.
TEST_F(ChangedFolderTest, AKeptBatchIsUndoneFromTheHistoryAfterARestart) {
  {
    StartedProgram program(folder_ + L"rntool.exe");
    HWND edit = StartABatch(program);
    ASSERT_NE(edit, nullptr);
    EXPECT_NE(Answer(program, kNoteTitle, IDNO).find("更名完成"), std::string::npos);
    PostMessageW(edit, WM_CLOSE, 0, 0);
    HWND main = WaitForWindow(program, kMainWindowTitle, kPatienceMs);
    ASSERT_NE(main, nullptr);
    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.HasEnded(kPatienceMs));
  }
  ASSERT_TRUE(MoveFileW((folder_ + L"yf2").c_str(), (folder_ + L"hand").c_str()));
  StartedProgram program(folder_ + L"rntool.exe");
  HWND main = WaitForWindow(program, kMainWindowTitle, kPatienceMs);
  ASSERT_NE(main, nullptr);
  PostMessageW(main, WM_COMMAND, ui::kCommandHistory, 0);
  HWND history = WaitForWindow(program, "更名历史", kPatienceMs);
  ASSERT_NE(history, nullptr);
  PostMessageW(GetDlgItem(history, ui::kUndoEntryId), BM_CLICK, 0, 0);
  EXPECT_EQ(Answer(program, kWarningTitle, IDYES), "即将撤销所选的这次更名，是否继续？");
  EXPECT_EQ(Answer(program, kNoteTitle, IDOK), "撤销完成，有 1 个文件在这次更名之后又被改动或已不存在，没有撤销。");
  Folder expected = Named(L"", 0);
  expected.erase(L"f2");
  expected[L"hand"] = "photo 2";
  EXPECT_EQ(Files(), expected);
  PostMessageW(history, WM_CLOSE, 0, 0);
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(program.HasEnded(kPatienceMs));
}

// Paths on the command line come in as a drop: the files of the first
// one's folder picked and edited, a path that is not there told of.
TEST_F(ChangedFolderTest, PathsOnTheCommandLineOpenTheEditWindowWithThem) {
  StartedProgram program(folder_ + L"rntool.exe", L"\"" + folder_ + L"f3\" \"" + folder_ + L"gone\" \"" + folder_ + L"f1\"");
  EXPECT_EQ(Answer(program, kNoteTitle, IDOK), "找不到文件：" + platform::ToGbk(folder_) + "gone");
  HWND edit = WaitForWindow(program, "编辑窗口", kPatienceMs);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(SendMessageW(Descendant(edit, ui::edit::超级列表框1), LVM_GETITEMCOUNT, 0, 0), 2);
  PostMessageW(edit, WM_CLOSE, 0, 0);
  HWND main = WaitForWindow(program, kMainWindowTitle, kPatienceMs);
  ASSERT_NE(main, nullptr);
  for (int waited = 0; IsWindow(edit) && waited < 5000; waited += 20) Sleep(20);
  HWND box = GetDlgItem(main, ui::kFileBoxId);
  std::vector<std::wstring> picked;
  for (LRESULT item = 0; item < SendMessageW(box, LB_GETCOUNT, 0, 0); ++item) {
    if (SendMessageW(box, LB_GETSEL, item, 0) <= 0) continue;
    wchar_t text[MAX_PATH] = {};
    SendMessageW(box, LB_GETTEXT, item, reinterpret_cast<LPARAM>(text));
    picked.push_back(text);
  }
  EXPECT_EQ(picked, (std::vector<std::wstring>{L"f1", L"f3"}));
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(program.HasEnded(kPatienceMs));
}

// A second copy started with paths hands them to the one that runs and ends
// at once, without its message; the running copy edits them.
TEST_F(ChangedFolderTest, ASecondCopyHandsItsPathsToTheRunningOne) {
  StartedProgram first(folder_ + L"rntool.exe");
  HWND main = WaitForWindow(first, kMainWindowTitle, kPatienceMs);
  ASSERT_NE(main, nullptr);
  StartedProgram second(folder_ + L"rntool.exe", L"\"" + folder_ + L"f2\" \"" + folder_ + L"f5\"");
  ASSERT_TRUE(second.HasEnded(kPatienceMs));
  EXPECT_EQ(second.ExitCode(), 0u);
  HWND edit = WaitForWindow(first, "编辑窗口", kPatienceMs);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(SendMessageW(Descendant(edit, ui::edit::超级列表框1), LVM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(WaitForWindow(second, "您好！", 0), nullptr);
  PostMessageW(edit, WM_CLOSE, 0, 0);
  for (int waited = 0; IsWindow(edit) && waited < 5000; waited += 20) Sleep(20);
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(first.HasEnded(kPatienceMs));
}

}  // namespace
}  // namespace testing_support
