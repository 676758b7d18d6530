#include "ui/edit/run_view.h"

#include <commctrl.h>

#include <limits>

#include "platform/controls.h"

namespace ui::edit {
namespace {
// The bar moves at most this often during a batch: smooth to the eye, and
// its repaints stay a small share of the work.
constexpr ULONGLONG kProgressIntervalMs = 40;

uint32_t BarValue(size_t count) {
  return count > std::numeric_limits<uint32_t>::max() ? std::numeric_limits<uint32_t>::max()
                                                      : static_cast<uint32_t>(count);
}

}  // namespace

bool RunView::AskYesNo(const std::string& text, const std::string& title) {
  ShowProgress(true);
  return desktop_.ShowMessage({text, title, platform::MessageButtons::YesNo}) ==
         platform::MessageAnswer::Yes;
}

void RunView::Tell(const std::string& text, const std::string& title) {
  ShowProgress(true);
  desktop_.ShowMessage({text, title});
}

void RunView::Renamed(size_t row, const std::string&) { list_.RefreshOldName(row); }

void RunView::NewNameUsed(size_t row) { list_.ClearNewName(row); }

// The range is set as the run begins; from then on only the position moves.
void RunView::Progress(size_t done, size_t total) {
  if (done == 0) {
    maximum_ = BarValue(total);
    const platform::ProgressBar bar(controls_[进度条1]);
    bar.SetRange(maximum_);
    shownPosition_ = bar.Position();
  }
  position_ = BarValue(done);
  ShowProgress(position_ == 0 || position_ == maximum_);
}

void RunView::ShowProgress(bool always) {
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

void RunView::AfterSlice() {
  ShowProgress(false);
  list_.NoteVisibleRows();
}

}  // namespace ui::edit

