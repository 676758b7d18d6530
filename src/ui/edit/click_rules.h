// What clicking an option control does to the others.
#pragma once

#include "ui/edit/edit_layout.h"

namespace ui::edit {

// A click on an option control: a radio box first takes the check from the
// others of its group (a check box has toggled itself already), then the
// control's rule runs.
void OnOptionClicked(EditControls& controls, Control clicked);

// The N box shows exactly when the chosen side (replace or delete) is in
// its N-th mode.
void ShowNBoxForTheChosenSide(const EditControls& controls);

// Shows the option panel of a rename type (1 to 5) and hides the other four.
void ShowPanelOfType(EditControls& controls, int renameType);

}  // namespace ui::edit
