// The real program started under Wine, and its windows found from outside.
#pragma once

#include <windows.h>

#include <string>

#include "platform/gbk_convert.h"

namespace testing_support {

inline constexpr char kMainWindowTitle[] = "澄川改名宝V1.00";
inline constexpr DWORD kPatienceMs = 20000;

class StartedProgram {
 public:
  explicit StartedProgram(const std::wstring& exePath) {
    std::wstring commandLine = L"\"" + exePath + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    started_ = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &startup, &process_) != 0;
  }
  ~StartedProgram() {
    if (!started_) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  bool started() const { return started_; }
  // Ends it at once, as a crash or the task manager would.
  void Kill() {
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, INFINITE);
  }
  DWORD id() const { return process_.dwProcessId; }
  bool HasEnded(DWORD waitMs) const {
    return WaitForSingleObject(process_.hProcess, waitMs) == WAIT_OBJECT_0;
  }
  DWORD ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
  }

 private:
  PROCESS_INFORMATION process_{};
  bool started_ = false;
};

inline std::wstring ProgramPath() { return platform::ToWide(RNTOOL_EXE_PATH); }

struct WindowSearch {
  DWORD processId;
  std::wstring title;
  HWND found = nullptr;
  std::wstring className;  // when not empty, matched instead of the title
};

inline BOOL CALLBACK MatchWindow(HWND window, LPARAM searchAddress) {
  auto& search = *reinterpret_cast<WindowSearch*>(searchAddress);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  wchar_t title[256] = {};
  GetWindowTextW(window, title, 256);
  wchar_t className[256] = {};
  GetClassNameW(window, className, 256);
  const bool named =
      search.className.empty() ? search.title == title : search.className == className;
  if (processId != search.processId || !named || !IsWindowVisible(window)) return TRUE;
  search.found = window;
  return FALSE;
}

// The shown top-level window of the process that carries `title` (GBK).
inline HWND WaitForWindow(const StartedProgram& program, const char* title, DWORD timeoutMs) {
  WindowSearch search{program.id(), platform::ToWide(title)};
  for (DWORD waited = 0;; waited += 50) {
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found || waited >= timeoutMs) return search.found;
    Sleep(50);
  }
}

inline HWND WaitForLogoWindow(const StartedProgram& program, DWORD timeoutMs) {
  WindowSearch search{program.id(), L"", nullptr, L"RntoolLogoWindow"};
  for (DWORD waited = 0;; waited += 20) {
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found || waited >= timeoutMs) return search.found;
    Sleep(20);
  }
}

// The text of a message box: its static control.
inline std::string MessageText(HWND box) {
  wchar_t text[512] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 512);
  return platform::ToGbk(text);
}

// The control with `id` anywhere inside `window` (the Edit window's
// controls sit in its group boxes).
inline HWND Descendant(HWND window, int id) {
  struct Search {
    int id;
    HWND found = nullptr;
  } search{id};
  EnumChildWindows(
      window,
      [](HWND child, LPARAM address) {
        auto& s = *reinterpret_cast<Search*>(address);
        if (GetDlgCtrlID(child) != s.id) return TRUE;
        s.found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace testing_support
