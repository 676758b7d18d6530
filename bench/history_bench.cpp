// The History window with a full history, under Wine: 100 entries, the
// largest a batch of every file of FOLDER (100,000 in scripts/bench), as
// the program keeps them on disk. Measured in one run: opening the window
// (every entry read and listed) and showing the largest entry's rows (its
// folder listed once), each against reading the entries' bytes alone.
//   history_bench FOLDER
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "exec/rename_plan.h"
#include "exec/run_history.h"
#include "exec/run_journal.h"
#include "platform/desktop.h"
#include "platform/folder_journals.h"
#include "platform/gbk_convert.h"
#include "platform/windows_files.h"
#include "ui/history/history_window.h"
#include "wine_timing.h"

namespace {

using bench::Seconds;

class SilentDesktop final : public platform::DesktopInteractions {
 public:
  platform::MessageAnswer ShowMessage(const platform::MessageRequest&) override { return platform::MessageAnswer::No; }
  void OpenWithShell(const platform::ShellRequest&) override {}
  std::optional<std::string> ChooseFile(const platform::FileDialogRequest&) override { return {}; }
  bool HighContrastOn() const override { return false; }
};

rules::NameList FileNames(const std::string& folder) {
  rules::NameList names;
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW((platform::ToWide(folder) + L"*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(platform::ToGbk(entry.cFileName));
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  return names;
}

// An entry as a batch that renamed every one of `names` in `folder` (as
// `listing` has it, identities and all) to "x" + its name leaves it.
void KeepABatch(platform::FolderJournals& store, exec::FileOperations& files, const exec::FolderListing& listing,
                const std::string& folder, const rules::NameList& names) {
  rules::NameList targets;
  for (const std::string& name : names) targets.push_back("x" + name);
  const exec::RenamePlan plan =
      exec::PlanRenames(listing, names, targets, exec::ListOrder(names.size()), files);
  exec::RunJournal journal = exec::RunJournal::Begin(store, exec::JournalKind::Batch, folder, names, targets, plan);
  for (size_t step = 0; step < plan.steps.size(); ++step) journal.StepDone(step);
  journal.End(true);
}

// Answers the thread's messages: the window's posted request for the row
// states among them.
void WaitForTheStates() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: history_bench FOLDER\n");
    return 2;
  }
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  const std::string folder = std::string(argv[1]) + "\\";
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  platform::FolderJournals store(std::wstring(temp) + L"history_bench\\");
  for (const std::string& entry : store.Entries()) store.Forget(entry);
  platform::WindowsFiles files;
  const rules::NameList all = FileNames(folder);
  const exec::FolderListing listing = files.ListFolder(folder);
  KeepABatch(store, files, listing, folder, all);
  for (int entry = 1; entry < 100; ++entry) {
    KeepABatch(store, files, listing, folder, {all[static_cast<size_t>(entry)]});
  }

  const double readStart = Seconds();
  size_t bytes = 0;
  for (const std::string& entry : store.Entries()) bytes += store.ReadEntry(entry)->size();
  const double read = Seconds() - readStart;
  const double parseStart = Seconds();
  for (const std::string& entry : store.Entries()) exec::ParseHistoryEntry(*store.ReadEntry(entry));
  const double parse = Seconds() - parseStart;
  const double listStart = Seconds();
  files.ListFolder(folder);
  const double list = Seconds() - listStart;

  SilentDesktop desktop;
  platform::FolderJournals noJournals(L"");
  HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  ui::HistoryWindow window({desktop, files, noJournals, store});
  const double openStart = Seconds();
  window.Open(owner);  // the newest selected: a small one
  const double open = Seconds() - openStart;
  const double statesStart = Seconds();
  WaitForTheStates();  // the newest entry's
  const double states = Seconds() - statesStart;
  const double rowsStart = Seconds();
  window.Select(99);  // the largest, kept first
  const double rows = Seconds() - rowsStart;
  const double largestStatesStart = Seconds();
  WaitForTheStates();
  const double largestStates = Seconds() - largestStatesStart;
  std::printf("History window, 100 entries (%.1f MB), the largest of %zu files: reading them %.3f s, "
              "reading and parsing %.3f s, listing the folder %.3f s\n",
              static_cast<double>(bytes) / 1048576.0, all.size(), read, parse, list);
  std::printf("  opens in %.3f s (%.1fx the reading; bound 1 s), the newest entry's row states %.3f s later\n",
              open, open / read, states);
  std::printf("  shows the largest's rows in %.3f s (bound 1 s), their states %.3f s later\n", rows,
              largestStates);
  DestroyWindow(owner);
  for (const std::string& entry : store.Entries()) store.Forget(entry);
  return 0;
}
