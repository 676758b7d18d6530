// Starts the real program under Wine and checks its Main window and exit.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/gbk_convert.h"

namespace {

constexpr char kMainWindowTitle[] = "澄川改名宝V1.00";

struct StartedProgram {
  PROCESS_INFORMATION process{};
  ~StartedProgram() {
    if (!process.hProcess) return;
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
};

bool Start(StartedProgram& program) {
  std::wstring commandLine = L"\"" + platform::ToWide(RNTOOL_EXE_PATH) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  return CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &program.process) != 0;
}

struct WindowSearch {
  DWORD processId;
  std::wstring title;
  HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM searchAddress) {
  auto& search = *reinterpret_cast<WindowSearch*>(searchAddress);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  wchar_t title[256] = {};
  GetWindowTextW(window, title, 256);
  if (processId != search.processId || search.title != title || !IsWindowVisible(window)) {
    return TRUE;
  }
  search.found = window;
  return FALSE;
}

// The shown top-level window of the started process that carries `title`.
HWND WaitForWindow(const StartedProgram& program, const std::wstring& title, DWORD timeoutMs) {
  WindowSearch search{program.process.dwProcessId, title};
  for (DWORD waited = 0; waited < timeoutMs && !search.found; waited += 50) {
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(50);
  }
  return search.found;
}

TEST(StartProgram, ShowsTheMainWindowAndEndsWithCodeZeroWhenClosed) {
  StartedProgram program;
  ASSERT_TRUE(Start(program));
  HWND mainWindow = WaitForWindow(program, platform::ToWide(kMainWindowTitle), 20000);
  ASSERT_NE(mainWindow, nullptr);

  RECT frame{};
  GetWindowRect(mainWindow, &frame);
  EXPECT_EQ(frame.right - frame.left, 641);
  EXPECT_EQ(frame.bottom - frame.top, 527);

  PostMessageW(mainWindow, WM_CLOSE, 0, 0);
  ASSERT_EQ(WaitForSingleObject(program.process.hProcess, 20000), WAIT_OBJECT_0);
  DWORD exitCode = 1;
  GetExitCodeProcess(program.process.hProcess, &exitCode);
  EXPECT_EQ(exitCode, 0u);
}

}  // namespace
