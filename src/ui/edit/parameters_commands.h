// The Save-parameters and Load-parameters buttons of the Edit window.
#pragma once

#include <string>

#include "platform/desktop.h"
#include "ui/edit/edit_layout.h"

namespace ui::edit {

// The file dialog offers the last chosen path again; the caller keeps it.
void SaveParameters(const EditControls& controls, platform::DesktopInteractions& desktop,
                    std::string& lastPath);
void LoadParameters(EditControls& controls, platform::DesktopInteractions& desktop,
                    std::string& lastPath);

}  // namespace ui::edit
