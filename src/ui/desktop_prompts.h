// A run driven by code that shows nothing else of it (the start-up, the
// History window): its questions and messages as message boxes, and its
// slices with the thread's messages answered in between.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "exec/rename_run.h"
#include "exec/run_contract.h"
#include "platform/desktop.h"
#include "platform/window_helpers.h"

namespace ui {

class DesktopPrompts final : public exec::Prompts {
 public:
  explicit DesktopPrompts(platform::DesktopInteractions& desktop) : desktop_(desktop) {}
  bool AskYesNo(const std::string& text, const std::string& title) override {
    return desktop_.ShowMessage({text, title, platform::MessageButtons::YesNo}) == platform::MessageAnswer::Yes;
  }
  void Tell(const std::string& text, const std::string& title) override { desktop_.ShowMessage({text, title}); }

 private:
  platform::DesktopInteractions& desktop_;
};

// Carries `run` out to its end, a slice of 20 ms at a time, the windows'
// messages dispatched between slices so that they paint.
inline exec::RunOutcome CarryRun(exec::RenameRun& run, exec::Prompts& prompts) {
  std::optional<exec::RunOutcome> outcome;
  while (!(outcome = run.Step(prompts, platform::TimeSlice(20)))) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return *outcome;
}

}  // namespace ui
