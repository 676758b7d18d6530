#include "app/left_runs_at_start.h"

#include <windows.h>

#include "exec/left_runs.h"
#include "platform/window_helpers.h"

namespace app {
namespace {

constexpr ULONGLONG kSliceMs = 20;

// No window is open yet: the questions and messages are all there is.
class PromptsOnly final : public exec::Prompts {
 public:
  explicit PromptsOnly(platform::DesktopInteractions& desktop) : desktop_(desktop) {}
  bool AskYesNo(const std::string& text, const std::string& title) override {
    return desktop_.ShowMessage({text, title, platform::MessageButtons::YesNo}) ==
           platform::MessageAnswer::Yes;
  }
  void Tell(const std::string& text, const std::string& title) override {
    desktop_.ShowMessage({text, title});
  }

 private:
  platform::DesktopInteractions& desktop_;
};

void Carry(exec::RenameRun& run, exec::Prompts& prompts) {
  while (!run.Step(prompts, platform::TimeSlice(kSliceMs))) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

}  // namespace

void PutBackLeftRuns(const ui::ProgramPorts& ports) {
  PromptsOnly prompts(ports.desktop);
  exec::PutBackLeftRuns(ports.journals, ports.files, prompts,
                        [&](exec::RenameRun& run) { Carry(run, prompts); });
}

}  // namespace app
