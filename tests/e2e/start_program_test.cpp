// Starts the real program under Wine: its Main window, the single-instance
// check, and the exit code of every way out.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/gbk_convert.h"
#include "started_program.h"
#include "ui/main/main_window.h"

namespace {

using namespace testing_support;

// Sets the start-up logo flag; nothing removes the value.
void StoreLogoFlag(const DWORD* value) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyW(HKEY_LOCAL_MACHINE, L"software\\Larkvale\\RNTOOL", &key), ERROR_SUCCESS);
  if (value) {
    RegSetValueExW(key, L"logo", 0, REG_DWORD, reinterpret_cast<const BYTE*>(value), sizeof(*value));
  } else {
    RegDeleteValueW(key, L"logo");
  }
  RegCloseKey(key);
}

TEST(StartProgram, ShowsTheMainWindowAndEndsWithCodeZeroOnEsc) {
  StartedProgram program(ProgramPath());
  ASSERT_TRUE(program.started());
  HWND mainWindow = WaitForWindow(program, kMainWindowTitle, kPatienceMs);
  ASSERT_NE(mainWindow, nullptr);

  RECT frame{};
  GetWindowRect(mainWindow, &frame);
  EXPECT_EQ(frame.right - frame.left, 641);
  EXPECT_EQ(frame.bottom - frame.top, 527);

  PostMessageW(mainWindow, WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(program.HasEnded(kPatienceMs));
  EXPECT_EQ(program.ExitCode(), 0u);
}

TEST(StartProgram, LogoWindowComesBeforeTheMainWindowOnlyWhenTheFlagIsOne) {
  const DWORD off = 0;
  StoreLogoFlag(&off);
  {
    StartedProgram program(ProgramPath());
    HWND mainWindow = WaitForWindow(program, kMainWindowTitle, kPatienceMs);
    ASSERT_NE(mainWindow, nullptr);
    EXPECT_EQ(WaitForLogoWindow(program, 0), nullptr);
    PostMessageW(mainWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.HasEnded(kPatienceMs));
  }
  const DWORD on = 1;
  StoreLogoFlag(&on);
  {
    StartedProgram program(ProgramPath());
    HWND logoWindow = WaitForLogoWindow(program, kPatienceMs);
    ASSERT_NE(logoWindow, nullptr);
    EXPECT_EQ(WaitForWindow(program, kMainWindowTitle, 0), nullptr);  // not shown yet
    RECT place;
    GetWindowRect(logoWindow, &place);
    EXPECT_EQ(place.right - place.left, 735);
    EXPECT_EQ(place.bottom - place.top, 151);
    HWND mainWindow = WaitForWindow(program, kMainWindowTitle, kPatienceMs);
    ASSERT_NE(mainWindow, nullptr);
    // Its close was posted at the end of the fade; the message loop carries it out.
    bool logoClosed = false;
    for (int tries = 0; tries < 200 && !logoClosed; ++tries, Sleep(20)) {
      logoClosed = WaitForLogoWindow(program, 0) == nullptr;
    }
    EXPECT_TRUE(logoClosed);
    PostMessageW(mainWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.HasEnded(kPatienceMs));
  }
  StoreLogoFlag(nullptr);
}

TEST(StartProgram, SecondCopySaysItIsRunningAndEndsWithCodeZero) {
  StartedProgram first(ProgramPath());
  HWND firstWindow = WaitForWindow(first, kMainWindowTitle, kPatienceMs);
  ASSERT_NE(firstWindow, nullptr);

  StartedProgram second(ProgramPath());
  HWND message = WaitForWindow(second, "您好！", kPatienceMs);
  ASSERT_NE(message, nullptr);
  EXPECT_EQ(MessageText(message), "我已经运行了(*^__^*) ");
  EXPECT_EQ(WaitForWindow(second, kMainWindowTitle, 0), nullptr);
  PostMessageW(message, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(second.HasEnded(kPatienceMs));
  EXPECT_EQ(second.ExitCode(), 0u);

  EXPECT_FALSE(first.HasEnded(0));
  EXPECT_TRUE(IsWindowVisible(firstWindow));
  PostMessageW(firstWindow, WM_COMMAND, ui::kCommandExit, 0);
  ASSERT_TRUE(first.HasEnded(kPatienceMs));
  EXPECT_EQ(first.ExitCode(), 0u);
}

// Two copies started at the same moment: exactly one goes on, the other
// says the first is running.
TEST(StartProgram, OfTwoCopiesStartedAtOnceExactlyOneRuns) {
  StartedProgram first(ProgramPath());
  StartedProgram second(ProgramPath());
  HWND firstWindow = WaitForWindow(first, kMainWindowTitle, kPatienceMs);
  HWND secondWindow = WaitForWindow(second, kMainWindowTitle, firstWindow ? 2000 : kPatienceMs);
  ASSERT_NE(!firstWindow, !secondWindow);  // one Main window, not two and not none
  StartedProgram& stopped = firstWindow ? second : first;
  HWND message = WaitForWindow(stopped, "您好！", kPatienceMs);
  ASSERT_NE(message, nullptr);
  PostMessageW(message, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(stopped.HasEnded(kPatienceMs));
  PostMessageW(firstWindow ? firstWindow : secondWindow, WM_CLOSE, 0, 0);
  EXPECT_TRUE((firstWindow ? first : second).HasEnded(kPatienceMs));
}

TEST(StartProgram, CopyUnderANameDifferingInCaseStartsNormally) {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  const std::wstring renamed = std::wstring(folder) + L"RnTool.exe";
  ASSERT_TRUE(CopyFileW(ProgramPath().c_str(), renamed.c_str(), FALSE));

  StartedProgram first(ProgramPath());
  ASSERT_NE(WaitForWindow(first, kMainWindowTitle, kPatienceMs), nullptr);
  StartedProgram other(renamed);
  HWND otherWindow = WaitForWindow(other, kMainWindowTitle, kPatienceMs);
  ASSERT_NE(otherWindow, nullptr);

  PostMessageW(otherWindow, WM_CLOSE, 0, 0);
  EXPECT_TRUE(other.HasEnded(kPatienceMs));
  PostMessageW(WaitForWindow(first, kMainWindowTitle, 0), WM_CLOSE, 0, 0);
  EXPECT_TRUE(first.HasEnded(kPatienceMs));
  DeleteFileW(renamed.c_str());
}

// Started from a folder whose name code page 936 cannot hold, the program
// lists that very folder: itself and the file beside it.
TEST(StartProgram, FromAFolderOfAnyNameListsThatFolder) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"J\u00F6rg \U0001F600";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring copy = folder + L"\\rntool.exe", beside = folder + L"\\x\u00B2.txt";
  ASSERT_TRUE(CopyFileW(ProgramPath().c_str(), copy.c_str(), FALSE));
  CloseHandle(CreateFileW(beside.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  {
    StartedProgram program(copy);
    HWND mainWindow = WaitForWindow(program, kMainWindowTitle, kPatienceMs);
    ASSERT_NE(mainWindow, nullptr);
    EXPECT_EQ(SendMessageW(GetDlgItem(mainWindow, ui::kFileBoxId), LB_GETCOUNT, 0, 0), 2);
    PostMessageW(mainWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.HasEnded(kPatienceMs));
  }
  DeleteFileW(copy.c_str());
  DeleteFileW(beside.c_str());
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
