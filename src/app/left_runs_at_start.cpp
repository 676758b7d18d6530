#include "app/left_runs_at_start.h"

#include <windows.h>

#include "exec/left_runs.h"
#include "platform/window_helpers.h"

namespace app {
namespace {

constexpr ULONGLONG kSliceMs = 20;

// No window is open yet: the questions and messages are all there is.
class PromptsOnly final : public exec::RenameWindow {
 public:
  explicit PromptsOnly(platform::DesktopInteractions& desktop) : desktop_(desktop) {}
  bool AskYesNo(const std::string& text, const std::string& title) override {
    return desktop_.ShowMessage({text, title, platform::MessageButtons::YesNo}) ==
           platform::MessageAnswer::Yes;
  }
  void Tell(const std::string& text, const std::string& title) override {
    desktop_.ShowMessage({text, title});
  }
  void SetOldNameCell(size_t, const std::string&) override {}
  void ClearNewNameCell(size_t) override {}
  void SetProgressMaximum(uint32_t) override {}
  void SetProgressPosition(uint32_t) override {}
  void OpenFolder() override {}

 private:
  platform::DesktopInteractions& desktop_;
};

void Carry(exec::RenameRun& run) {
  while (!run.Step(platform::TimeSlice(kSliceMs))) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

}  // namespace

void PutBackLeftRuns(const ui::ProgramPorts& ports) {
  PromptsOnly window(ports.desktop);
  exec::PutBackLeftRuns(ports.journals, ports.files, window, Carry);
}

}  // namespace app
