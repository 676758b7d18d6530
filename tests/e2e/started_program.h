// The real program started under Wine, and its windows found from outside.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/folder_journals.h"
#include "platform/gbk_convert.h"
#include "ui/edit/edit_controls.h"
#include "ui/main/main_window.h"

namespace testing_support {

inline constexpr char kMainWindowTitle[] = "澄川改名宝V1.00";
inline constexpr DWORD kPatienceMs = 20000;

class StartedProgram {
 public:
  // `arguments` follow the program's quoted path on its command line.
  explicit StartedProgram(const std::wstring& exePath, const std::wstring& arguments = L"") {
    std::wstring commandLine = L"\"" + exePath + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
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

// Deletes every file of `folder` (ending in "\\").
inline void DeleteFilesIn(const std::wstring& folder) {
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW((folder + L"*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    DeleteFileW((folder + entry.cFileName).c_str());
  } while (FindNextFileW(search, &entry));
  FindClose(search);
}

// The journals and the rename history of earlier runs of the tests go.
inline void ClearJournals() {
  const std::wstring history = platform::UserJournalFolder() + L"history\\";
  DeleteFilesIn(history);
  RemoveDirectoryW(history.c_str());
  DeleteFilesIn(platform::UserJournalFolder());
}

// In the Main window of `program`: the files of the file box that `picked`
// takes are selected, the Edit window opened, `added` put in front of
// every name, Preview and then Batch rename pressed. The Edit window, or
// nothing when a window did not come.
inline HWND StartABatchOn(StartedProgram& program, const std::function<bool(const std::wstring&)>& picked,
                          const wchar_t* added) {
  HWND main = WaitForWindow(program, kMainWindowTitle, kPatienceMs);
  if (!main) return nullptr;
  HWND box = GetDlgItem(main, ui::kFileBoxId);
  const LRESULT count = SendMessageW(box, LB_GETCOUNT, 0, 0);
  for (LRESULT item = 0; item < count; ++item) {
    wchar_t text[MAX_PATH] = {};
    SendMessageW(box, LB_GETTEXT, item, reinterpret_cast<LPARAM>(text));
    if (picked(text)) SendMessageW(box, LB_SETSEL, TRUE, item);
  }
  SendMessageW(main, WM_COMMAND, MAKEWPARAM(ui::kFileBoxId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
  PostMessageW(main, WM_COMMAND, ui::kCommandEditNames, 0);
  HWND edit = WaitForWindow(program, "编辑窗口", kPatienceMs);
  if (!edit) return nullptr;
  SetWindowTextW(Descendant(edit, ui::edit::添加字符文本), added);
  SendMessageW(Descendant(edit, ui::edit::按钮预览), BM_CLICK, 0, 0);
  PostMessageW(Descendant(edit, ui::edit::按钮更名), BM_CLICK, 0, 0);
  return edit;
}

}  // namespace testing_support
