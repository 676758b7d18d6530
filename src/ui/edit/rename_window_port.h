// The Edit window as batch rename and undo see it.
#pragma once

#include <functional>

#include "exec/rename_ports.h"
#include "ui/edit/edit_layout.h"
#include "ui/edit/preview_list.h"

namespace ui::edit {

class RenameWindowPort final : public exec::RenameWindow {
 public:
  // What the window does for a run besides drawing it.
  struct Queue {
    std::function<bool()> serve;         // answers what waits; true once a close is wanted
    std::function<void()> requestClose;  // the window closes once the run has ended
  };

  RenameWindowPort(const EditControls& controls, PreviewList& list,
                   std::function<void()> openFolder, Queue queue)
      : controls_(controls), list_(list), openFolder_(std::move(openFolder)),
        queue_(std::move(queue)) {
    list_.NoteVisibleRows();
  }

  bool AskYesNo(const std::string& text, const std::string& title) override;
  void Tell(const std::string& text, const std::string& title) override;
  void SetOldNameCell(size_t row, const std::string& text) override;
  void ClearNewNameCell(size_t row) override;
  void SetProgressMaximum(uint32_t maximum) override;
  void SetProgressPosition(uint32_t position) override;
  void EnableButtons(bool batchRename, bool undo) override;
  void RequestClose() override;
  bool CloseWanted() override;
  void OpenFolder() override;

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
  std::function<void()> openFolder_;
  Queue queue_;
  unsigned long long servedAt_ = 0;
};

}  // namespace ui::edit
