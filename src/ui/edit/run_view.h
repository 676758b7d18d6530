// The Edit window as a run sees it: its questions as message boxes over the
// window, and the preview list and progress bar following what it reports.
#pragma once

#include <cstdint>

#include "exec/run_contract.h"
#include "platform/desktop.h"
#include "ui/edit/edit_layout.h"
#include "ui/edit/preview_list.h"

namespace ui::edit {

class RunView final : public exec::Prompts, public exec::RunObserver {
 public:
  RunView(const EditControls& controls, PreviewList& list, platform::DesktopInteractions& desktop)
      : controls_(controls), list_(list), desktop_(desktop) {
    list_.NoteVisibleRows();
  }

  bool AskYesNo(const std::string& text, const std::string& title) override;
  void Tell(const std::string& text, const std::string& title) override;
  // The list's cells come from the run's own lists: the row is repainted.
  void Renamed(size_t row, const std::string& name) override;
  void NewNameUsed(size_t row) override;
  void Progress(size_t done, size_t total) override;
  // Between two slices of a run: the bar shows how far it is, and the list
  // notes which rows are on screen (it may have scrolled meanwhile).
  void AfterSlice();

 private:
  // Moves the bar itself only when it would look different and not more
  // often than a few times a second (a repaint of the bar costs far more
  // than a rename's bookkeeping); always before a prompt and at either end.
  void ShowProgress(bool always);

  uint32_t maximum_ = 0;
  uint32_t position_ = 0;
  uint32_t shownPosition_ = 0;
  unsigned long long shownAt_ = 0;
  const EditControls& controls_;
  PreviewList& list_;
  platform::DesktopInteractions& desktop_;
};

}  // namespace ui::edit
