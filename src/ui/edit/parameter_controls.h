// Applying the lines of a parameters file to the Edit window's controls.
#pragma once

#include <string_view>

#include "ui/edit/edit_layout.h"

namespace ui::edit {

// Applies parameter line P`p` (1 to 21) to its control(s), with the click
// rules the line calls for; after P14 the N box is shown exactly when the
// chosen side's mode is the N-th one.
void ApplyParameterToControls(EditControls& controls, int p, std::string_view value);

}  // namespace ui::edit
