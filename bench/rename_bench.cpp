// Batch rename and Undo through the program's own path (the real Edit
// window with its list and progress bar), measured in one run:
//   1. on FILES real files in FOLDER, against a plain MoveFileW loop over
//      the same files, with the longest time the window meanwhile leaves a
//      message from another thread unanswered;
//   2. on 100,000 picked names with a file layer that lists them, each
//      with its size, time and file ID, and otherwise only counts the
//      calls: the program's own cost per file;
//   3. what keeping such a batch in the rename history adds to its end,
//      against the same batch with the history switched off;
//   4. the peak working set after Preview and Batch rename of 100,000 names.
//   rename_bench FOLDER
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "platform/desktop.h"
#include "platform/folder_journals.h"
#include "platform/windows_files.h"
#include "platform/gbk_convert.h"
#include "wine_timing.h"
#include "ui/edit/edit_window.h"

namespace {

using bench::MedianSeconds;
using bench::Seconds;

// Answers Yes to every question (Undo) but No to opening the folder.
class AnsweringDesktop final : public platform::DesktopInteractions {
 public:
  platform::MessageAnswer ShowMessage(const platform::MessageRequest& request) override {
    const bool opensFolder = request.text.find("打开文件夹") != std::string::npos;
    return opensFolder ? platform::MessageAnswer::No : platform::MessageAnswer::Yes;
  }
  void OpenWithShell(const platform::ShellRequest&) override {}
  std::optional<std::string> ChooseFile(const platform::FileDialogRequest&) override { return {}; }
  bool HighContrastOn() const override { return false; }
};

class CountingFiles final : public exec::FileOperations {
 public:
  size_t calls = 0;
  // The folder holds these names, each file with its size, time and ID.
  const rules::NameList* held = nullptr;
  bool Exists(const std::string&, const std::string&) override { return ++calls, true; }
  exec::RenameOutcome Rename(const std::string&, const std::string&, const std::string&,
                             const exec::BeforeMiddleName&) override {
    ++calls;
    return {true, {}};
  }
  // Names are folded as on the real file system.
  exec::FolderListing ListFolder(const std::string& folder) override {
    exec::FolderListing listing{{}, folder.size() + 4};
    listing.volume = {0x5EED1234, true, true};
    if (!held) return listing;
    listing.identities.reserve(held->size());
    std::u16string key;
    for (size_t i = 0; i < held->size(); ++i) {
      realNames_.NameKey((*held)[i], key);
      listing.keys.push_back(key);
      listing.identities.push_back({1000 + i, 133500000000000000 + i, 0x0001000000000000 + i});
    }
    return listing;
  }
  std::optional<std::string> NameOnDisk(const std::string&, const std::string& name) override {
    ++calls;
    return name;
  }
  bool NameKey(std::string_view name, std::u16string& key) override {
    return realNames_.NameKey(name, key);
  }

 private:
  platform::WindowsFiles realNames_;
};

std::vector<std::wstring> FileNames(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(entry.cFileName);
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  return names;
}

double PlainLoop(const std::wstring& folder, const std::vector<std::wstring>& from,
                 const std::wstring& addedFrom, const std::wstring& addedTo) {
  const double start = Seconds();
  for (const std::wstring& name : from) {
    MoveFileW((folder + L"\\" + addedFrom + name).c_str(), (folder + L"\\" + addedTo + name).c_str());
  }
  return Seconds() - start;
}

// Batch rename or Undo, carried out as the Edit window's loop carries it.
void Carry(ui::EditWindow& edit, void (ui::EditWindow::*command)()) {
  (edit.*command)();
  MSG message;
  while (edit.Running()) {
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

struct Timings {
  double batch, undo;
  double longestUnanswered;  // seconds the window left a message waiting, at most
};

// With `probe`, sends WM_NULL to `window` from another thread while `work`
// runs and returns the longest wait for an answer.
template <typename Work>
double LongestUnanswered(bool probe, HWND window, Work work) {
  if (!probe) {
    work();
    return 0;
  }
  std::atomic<bool> over{false}, proberDone{false};
  double longest = 0;
  std::thread prober([&] {
    while (!over) {
      const double start = Seconds();
      DWORD_PTR result = 0;
      SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
      if (!over) longest = std::max(longest, Seconds() - start);
      Sleep(1);
    }
    proberDone = true;
  });
  work();
  over = true;
  // The last message may still be on its way: answer it, or the prober waits.
  while (!proberDone) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(1);
  }
  prober.join();
  return longest;
}

Timings ThroughTheEditWindow(rules::ProgramState& state, const std::string& folder,
                             const rules::NameList& selection, platform::DesktopInteractions& desktop,
                             platform::FolderJournals& journals, exec::FileOperations* files) {
  HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  platform::WindowsFiles windowsFiles;
  ui::EditWindow edit(state, {desktop, files ? *files : windowsFiles, journals, journals}, folder, selection);
  HWND window = edit.Open(owner);
  ShowWindow(window, SW_SHOW);
  SetWindowTextW(edit.control(ui::edit::添加字符文本), L"y");
  edit.Preview();
  UpdateWindow(window);
  Timings timings{};
  // Each run from its click to its end (the time between the two is the
  // harness's, with nobody answering).
  auto carry = [&](void (ui::EditWindow::*command)(), double& seconds) {
    return LongestUnanswered(files == nullptr, window, [&] {
      const double start = Seconds();
      Carry(edit, command);
      UpdateWindow(window);
      seconds = Seconds() - start;
    });
  };
  timings.longestUnanswered = carry(&ui::EditWindow::BatchRename, timings.batch);
  timings.longestUnanswered = std::max(timings.longestUnanswered, carry(&ui::EditWindow::Undo, timings.undo));
  DestroyWindow(owner);
  return timings;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: rename_bench FOLDER\n");
    return 2;
  }
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  AnsweringDesktop desktop;
  // Journals as the program keeps them, in a folder of their own beside
  // the files; and none, for the cost of keeping them.
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  platform::FolderJournals journals(std::wstring(temp) + L"rename_bench_journals\\");
  platform::FolderJournals noJournals(L"");
  platform::FolderJournals noHistory(std::wstring(temp) + L"rename_bench_journals\\", [] { return false; });

  // 1. Real files.
  const std::wstring folder = platform::ToWide(argv[1]);
  const std::vector<std::wstring> names = FileNames(folder);
  const double plainForward = PlainLoop(folder, names, L"", L"y");
  const double plainBack = PlainLoop(folder, names, L"y", L"");
  rules::NameList selection;
  for (const std::wstring& name : names) selection.push_back(platform::ToGbk(name));
  rules::ProgramState realState;
  const Timings real = ThroughTheEditWindow(realState, platform::ToGbk(folder) + "\\", selection, desktop, journals, nullptr);
  std::printf("%zu real files: plain MoveFileW loop %.3f s there, %.3f s back\n", names.size(),
              plainForward, plainBack);
  std::printf("  Batch rename %.3f s (%.2fx), Undo %.3f s (%.2fx)\n", real.batch,
              real.batch / plainForward, real.undo, real.undo / plainBack);
  std::printf("  longest wait for an answer from the Edit window meanwhile: %.1f ms\n",
              real.longestUnanswered * 1000);

  // 2. and 3. 100,000 picked names, file layer counting only.
  constexpr int kPicked = 100000;
  rules::NameList many;
  for (int i = 0; i < kPicked; ++i) many.push_back("报告_第" + std::to_string(i) + ".doc");
  CountingFiles counting;
  // Each run with a state of its own, released before the next, as each
  // opening of the Edit window has.
  auto manyNames = [&](platform::FolderJournals& store) {
    rules::ProgramState manyState;
    counting.held = &manyState.CurrentNames;
    const Timings timings = ThroughTheEditWindow(manyState, "C:\\none\\", many, desktop, store, &counting);
    counting.held = nullptr;
    return timings;
  };
  const Timings own = manyNames(journals);
  const Timings unjournalled = manyNames(noJournals);
  const Timings unkept = manyNames(noHistory);
  for (const std::string& entry : journals.Entries()) journals.Forget(entry);
  PROCESS_MEMORY_COUNTERS memory{};
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
  std::printf("%d picked names, counting file layer (%zu calls): Batch rename %.2f us per file, "
              "Undo %.2f us per file\n",
              kPicked, counting.calls, own.batch * 1e6 / kPicked, own.undo * 1e6 / kPicked);
  std::printf("  without a journal: Batch rename %.2f us per file, Undo %.2f us per file\n",
              unjournalled.batch * 1e6 / kPicked, unjournalled.undo * 1e6 / kPicked);
  std::printf("  keeping the batch in the rename history adds %.3f s to its end (%.3f s against %.3f s; "
              "bound 0.3 s)\n",
              own.batch - unkept.batch, own.batch, unkept.batch);
  std::printf("peak working set: %.1f MB\n", static_cast<double>(memory.PeakWorkingSetSize) / 1048576.0);
  return 0;
}
