#include "app/hand_over.h"

#include <windows.h>

#include "platform/incoming_files.h"
#include "ui/main/main_window.h"

namespace app {
namespace {

// The first Main window of this program that another process owns.
HWND OtherCopysMainWindow() {
  struct Search {
    DWORD ownProcess = GetCurrentProcessId();
    HWND found = nullptr;
  } search;
  EnumWindows(
      [](HWND window, LPARAM address) -> BOOL {
        auto& search = *reinterpret_cast<Search*>(address);
        wchar_t className[64] = {};
        GetClassNameW(window, className, 64);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == search.ownProcess || lstrcmpW(className, ui::MainWindow::kClassName) != 0) return TRUE;
        search.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

bool HandOverPaths(const std::vector<std::wstring>& paths) {
  HWND running = OtherCopysMainWindow();
  if (!running) return false;
  std::wstring text = platform::PathsMessage(paths);
  COPYDATASTRUCT data{platform::kPathsData, static_cast<DWORD>(text.size() * sizeof(wchar_t)), text.data()};
  // The running copy may come to the front: this one lets it.
  DWORD process = 0;
  GetWindowThreadProcessId(running, &process);
  AllowSetForegroundWindow(process);
  DWORD_PTR taken = 0;
  return SendMessageTimeoutW(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 10000,
                             &taken) != 0 &&
         taken != 0;
}

}  // namespace app
