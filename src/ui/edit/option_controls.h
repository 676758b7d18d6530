// The rename options as the Edit window's controls hold them at this moment.
#pragma once

#include "rules/rename_options.h"
#include "ui/edit/edit_layout.h"

namespace ui::edit {

rules::RenameOptions ReadRenameOptions(const EditControls& controls);

}  // namespace ui::edit
