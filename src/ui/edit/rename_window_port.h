// The Edit window as batch rename and undo see it.
#pragma once

#include <functional>

#include "exec/rename_ports.h"
#include "platform/desktop.h"
#include "ui/edit/edit_layout.h"
#include "ui/edit/preview_list.h"

namespace ui::edit {

class RenameWindowPort final : public exec::RenameWindow {
 public:
  RenameWindowPort(const EditControls& controls, PreviewList& list,
                   platform::DesktopInteractions& desktop, std::function<void()> openFolder)
      : controls_(controls), list_(list), desktop_(desktop), openFolder_(std::move(openFolder)) {
    list_.NoteVisibleRows();
  }

  bool AskYesNo(const std::string& text, const std::string& title) override;
  void Tell(const std::string& text, const std::string& title) override;
  void SetOldNameCell(size_t row, const std::string& text) override;
  void ClearNewNameCell(size_t row) override;
  void SetProgressMaximum(uint32_t maximum) override;
  void SetProgressPosition(uint32_t position) override;
  void OpenFolder() override;
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
  std::function<void()> openFolder_;
};

}  // namespace ui::edit
