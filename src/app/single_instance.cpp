#include "app/single_instance.h"

#include <windows.h>
#include <tlhelp32.h>

#include <string>

#include "app/copies_seen.h"
#include "platform/file_system.h"
#include "platform/owned_handles.h"

namespace app {
namespace {

// Copies start one at a time through this lock; the one that goes on
// holds the second name for as long as it runs. Both live in the
// session's own namespace, so other users' copies never meet them.
constexpr wchar_t kStartLock[] = L"Local\\RNTOOL-start-";
constexpr wchar_t kRunning[] = L"Local\\RNTOOL-running-";
constexpr DWORD kLockWaitMs = 10000;

std::wstring OwnExecutableName() {
  const std::wstring path = platform::ExecutablePath();
  return path.substr(path.find_last_of(L"\\/") + 1);
}

ProcessSeen Seen(DWORD id, const wchar_t* exeName) {
  ProcessSeen seen{id, exeName, std::nullopt, std::nullopt};
  DWORD session = 0;
  if (ProcessIdToSessionId(id, &session)) seen.session = session;
  const platform::OwnedHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
  FILETIME created, exited, kernel, user;
  if (process && GetProcessTimes(process.get(), &created, &exited, &kernel, &user)) {
    seen.started = (static_cast<uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
  }
  return seen;
}

// The running processes of this program's name; none when no snapshot
// can be taken.
std::vector<ProcessSeen> ProcessesNamed(const std::wstring& name) {
  std::vector<ProcessSeen> processes;
  const platform::OwnedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return processes;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry)) {
    if (name == entry.szExeFile) processes.push_back(Seen(entry.th32ProcessID, entry.szExeFile));
  }
  return processes;
}

}  // namespace

bool AnotherCopyIsRunning() {
  const std::wstring ownName = OwnExecutableName();
  const platform::OwnedHandle lock(CreateMutexW(nullptr, FALSE, (kStartLock + ownName).c_str()));
  if (lock) WaitForSingleObject(lock.get(), kLockWaitMs);
  platform::OwnedHandle running(CreateMutexW(nullptr, FALSE, (kRunning + ownName).c_str()));
  bool another = running && GetLastError() == ERROR_ALREADY_EXISTS;
  if (!another) another = AnotherCopyAmong(ProcessesNamed(ownName), Seen(GetCurrentProcessId(), ownName.c_str()));
  // The name stays taken only by the copy that goes on, until it ends.
  if (!another) running.Take();
  if (lock) ReleaseMutex(lock.get());
  return another;
}

}  // namespace app
