#include "ui/edit/rename_window_port.h"

#include <commctrl.h>

#include "platform/desktop.h"

namespace ui::edit {

bool RenameWindowPort::AskYesNo(const std::string& text, const std::string& title) {
  return platform::Desktop().ShowMessage({text, title, platform::MessageButtons::YesNo}) ==
         platform::MessageAnswer::Yes;
}

void RenameWindowPort::Tell(const std::string& text, const std::string& title) {
  platform::Desktop().ShowMessage({text, title});
}

void RenameWindowPort::SetOldNameCell(size_t row, const std::string&) {
  list_.RefreshOldName(row);  // the cell shows CurrentNames, which already holds the text
}

void RenameWindowPort::ClearNewNameCell(size_t row) { list_.ClearNewName(row); }

void RenameWindowPort::SetProgressMaximum(uint32_t maximum) {
  // The 32-bit range, so that more than 32,767 files still move the bar.
  SendMessageW(controls_[进度条1], PBM_SETRANGE32, 0, static_cast<LPARAM>(maximum));
}

void RenameWindowPort::SetProgressPosition(uint32_t position) {
  SendMessageW(controls_[进度条1], PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void RenameWindowPort::EnableButtons(bool batchRename, bool undo) {
  EnableWindow(controls_[按钮更名], batchRename);
  EnableWindow(controls_[按钮撤销], undo);
}

void RenameWindowPort::RequestClose() { PostMessageW(window_, WM_CLOSE, 0, 0); }

void RenameWindowPort::OpenFolder() {
  if (openFolder_) openFolder_();
}

}  // namespace ui::edit
