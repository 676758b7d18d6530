#include "ui/edit/rename_window_port.h"

#include <commctrl.h>

#include "platform/controls.h"

namespace ui::edit {
namespace {
// The bar moves at most this often during a batch: smooth to the eye, and
// its repaints stay a small share of the work.
constexpr ULONGLONG kProgressIntervalMs = 40;
}  // namespace

bool RenameWindowPort::AskYesNo(const std::string& text, const std::string& title) {
  ShowProgress(true);
  return desktop_.ShowMessage({text, title, platform::MessageButtons::YesNo}) ==
         platform::MessageAnswer::Yes;
}

void RenameWindowPort::Tell(const std::string& text, const std::string& title) {
  ShowProgress(true);
  desktop_.ShowMessage({text, title});
}

void RenameWindowPort::SetOldNameCell(size_t row, const std::string&) {
  list_.RefreshOldName(row);  // the cell shows CurrentNames, which already holds the text
}

void RenameWindowPort::ClearNewNameCell(size_t row) { list_.ClearNewName(row); }

void RenameWindowPort::SetProgressMaximum(uint32_t maximum) {
  maximum_ = maximum;
  const platform::ProgressBar bar(controls_[进度条1]);
  bar.SetRange(maximum);
  shownPosition_ = bar.Position();
}

void RenameWindowPort::SetProgressPosition(uint32_t position) {
  position_ = position;
  ShowProgress(position == 0 || position == maximum_);
}

void RenameWindowPort::ShowProgress(bool always) {
  if (position_ == shownPosition_) return;
  RECT bar{};
  if (!GetClientRect(controls_[进度条1], &bar)) return;
  const uint64_t width = static_cast<uint64_t>(bar.right > 0 ? bar.right : 1);
  const uint64_t range = maximum_ > 0 ? maximum_ : 1;
  const bool looksDifferent = position_ * width / range != shownPosition_ * width / range;
  const ULONGLONG now = GetTickCount64();
  const bool dueAgain = now - shownAt_ >= kProgressIntervalMs;
  if (!always && !(looksDifferent && dueAgain)) return;
  platform::ProgressBar(controls_[进度条1]).SetPosition(position_);
  shownPosition_ = position_;
  shownAt_ = now;
}

void RenameWindowPort::AfterSlice() {
  ShowProgress(false);
  list_.NoteVisibleRows();
}

void RenameWindowPort::OpenFolder() {
  if (openFolder_) openFolder_();
}

}  // namespace ui::edit

