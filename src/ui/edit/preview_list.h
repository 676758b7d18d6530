// The preview list: an owner-data report list whose cells come straight
// from the shared lists, so 100,000 rows cost nothing to fill or update.
// A row that the batch will fail on is marked: a warning picture beside
// its new name, the name in a warning colour (the system's text colour
// under high contrast), and a tip that says why.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "exec/rename_plan.h"
#include "platform/display_scale.h"
#include "platform/owned_handles.h"
#include "rules/program_state.h"

namespace ui::edit {

class PreviewList {
 public:
  PreviewList() = default;
  PreviewList(const PreviewList&) = delete;
  PreviewList& operator=(const PreviewList&) = delete;

  // Adds the two columns and one row per current name; the second column
  // stays empty until ShowNewNames.
  void Attach(HWND list, const rules::ProgramState& state);
  // From now on the second column shows NewNames, in every row, with the
  // marks of `plan`.
  void ShowNewNames(exec::RenamePlan plan);
  // The first column of `row` shows CurrentNames again (after a rename).
  void RefreshOldName(size_t row);
  // The second column of `row` shows the empty text, without a mark, until
  // the next ShowNewNames.
  void ClearNewName(size_t row);
  // Repaints the rows after the shared lists changed.
  void Refresh();
  // The rows were put in another order: the second column shows the empty
  // text again, without marks, until the next ShowNewNames.
  void TakeBackNewNames();
  // The selected rows, top first; and a new selection.
  std::vector<size_t> SelectedRows() const;
  void SelectRows(const std::vector<size_t>& rows);
  // The title of `column` shows the sort arrow, up or down; -1: no title does.
  void ShowSortArrow(int column, bool ascending);
  // Reads which rows are on screen now; RefreshOldName and ClearNewName
  // repaint only those. (During a run the list can only scroll while the
  // window answers its queue, so that is when this is asked again.)
  void NoteVisibleRows();
  // The list's notifications and its tip's. The result to return when it
  // was one of them.
  std::optional<LRESULT> OnNotify(NMHDR& notification);

  // A mouse message from the message loop, before it is dispatched: the
  // tip follows the pointer.
  void RelayPointer(const MSG& message);

  // The window moved to another display scale: the columns keep their
  // widths in proportion.
  void Rescale(const platform::Scale& from, const platform::Scale& to);

  // The list takes the system's window and text colours of now (after a
  // change it would keep the old ones).
  void TakeSystemColours();

  bool IsMarked(size_t row) const;
  // Why the batch will fail on `row`; empty when it is not marked.
  std::string MarkReason(size_t row) const;

 private:
  void RedrawIfShown(size_t row);
  void FillCell(LVITEMW& item) const;
  LRESULT OnCustomDraw(NMLVCUSTOMDRAW& draw) const;
  void DrawMarkedCell(HDC dc, size_t row) const;
  HICON WarningIcon(int size) const;
  void FillTip(NMTTDISPINFOW& tip);

  HWND list_ = nullptr;
  HWND tip_ = nullptr;
  mutable platform::OwnedIcon warning_;  // the mark, loaded at warningSize_
  mutable int warningSize_ = 0;
  const rules::ProgramState* state_ = nullptr;
  bool newNamesShown_ = false;
  std::vector<bool> newNameCleared_;
  exec::RenamePlan plan_;
  int rowUnderPointer_ = -1;
  size_t topRow_ = 0, rowsPerPage_ = 0;
  std::wstring tipText_;
};

}  // namespace ui::edit
