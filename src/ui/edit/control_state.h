// The check state of the Edit window's check and radio boxes.
#pragma once

#include "ui/edit/edit_layout.h"

namespace ui::edit {

bool IsChecked(const EditControls& controls, Control id);
void SetChecked(const EditControls& controls, Control id, bool checked);

}  // namespace ui::edit
