// Loading a very large parameters file through the Edit window: how far
// the memory in use rises above what it was before, in one run.
//   parameters_bench FILE
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <optional>
#include <string>

#include "platform/desktop.h"
#include "platform/folder_journals.h"
#include "platform/windows_files.h"
#include "ui/edit/edit_window.h"
#include "wine_timing.h"

namespace {

// Picks FILE in the open dialog; says nothing else.
class PickingDesktop final : public platform::DesktopInteractions {
 public:
  explicit PickingDesktop(std::string file) : file_(std::move(file)) {}
  platform::MessageAnswer ShowMessage(const platform::MessageRequest& request) override {
    std::printf("message: %zu bytes\n", request.text.size());
    return platform::MessageAnswer::Yes;
  }
  void OpenWithShell(const platform::ShellRequest&) override {}
  std::optional<std::string> ChooseFile(const platform::FileDialogRequest&) override { return file_; }
  bool HighContrastOn() const override { return false; }

 private:
  std::string file_;
};

double Megabytes(SIZE_T bytes) { return static_cast<double>(bytes) / 1048576.0; }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: parameters_bench FILE\n");
    return 2;
  }
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  PickingDesktop desktop(argv[1]);
  platform::WindowsFiles files;
  HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  rules::ProgramState state;
  platform::FolderJournals noJournals(L"");
  ui::EditWindow edit(state, {desktop, files, noJournals, noJournals}, "C:\\", {"a.txt"});
  ShowWindow(edit.Open(owner), SW_SHOW);

  PROCESS_MEMORY_COUNTERS before{}, after{};
  // The peak so far is the idle mark: the peak can only rise from there.
  GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof(before));
  const double start = bench::Seconds();
  SendMessageW(edit.control(ui::edit::按钮载参), BM_CLICK, 0, 0);
  const double seconds = bench::Seconds() - start;
  GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof(after));
  wchar_t text[16] = {};
  GetWindowTextW(edit.control(ui::edit::添加字符文本), text, 16);
  std::printf("loaded in %.2f s; the add-characters box begins \"%ls\" and holds %d characters\n", seconds, text,
              GetWindowTextLengthW(edit.control(ui::edit::添加字符文本)));
  std::printf("peak working set: %.1f MB before loading, %.1f MB after: %.1f MB above idle\n",
              Megabytes(before.PeakWorkingSetSize), Megabytes(after.PeakWorkingSetSize),
              Megabytes(after.PeakWorkingSetSize - before.PeakWorkingSetSize));
  DestroyWindow(owner);
  return 0;
}
