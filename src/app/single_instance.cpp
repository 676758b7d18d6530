#include "app/single_instance.h"

#include <windows.h>
#include <tlhelp32.h>

#include <string>

#include "platform/file_system.h"

namespace app {
namespace {

std::wstring OwnExecutableName() {
  const std::wstring path = platform::ExecutablePath();
  return path.substr(path.find_last_of(L"\\/") + 1);
}

}  // namespace

bool AnotherCopyIsRunning() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  const std::wstring ownName = OwnExecutableName();
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  int copies = 0;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && copies < 2;
       more = Process32NextW(snapshot, &entry)) {
    if (ownName == entry.szExeFile) ++copies;
  }
  CloseHandle(snapshot);
  return copies >= 2;
}

}  // namespace app
