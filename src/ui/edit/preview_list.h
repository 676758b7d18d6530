// The preview list: an owner-data report list whose cells come straight
// from the shared lists, so 100,000 rows cost nothing to fill or update.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "rules/program_state.h"

namespace ui::edit {

class PreviewList {
 public:
  // Adds the two columns and one row per current name; the second column
  // stays empty until ShowNewNames.
  void Attach(HWND list, const rules::ProgramState& state);
  // From now on the second column shows NewNames, in every row.
  void ShowNewNames();
  // The first column of `row` shows CurrentNames again (after a rename).
  void RefreshOldName(size_t row);
  // The second column of `row` shows the empty text until the next ShowNewNames.
  void ClearNewName(size_t row);
  // Repaints the rows after the shared lists changed.
  void Refresh();
  // LVN_GETDISPINFO: fills the asked-for cell. True when it was ours.
  bool OnNotify(NMHDR& notification);

 private:
  void RedrawIfShown(size_t row);

  HWND list_ = nullptr;
  const rules::ProgramState* state_ = nullptr;
  bool newNamesShown_ = false;
  std::vector<bool> newNameCleared_;
};

}  // namespace ui::edit
