// The Edit window, opened modally over the Main window.
#pragma once

#include <windows.h>

#include <string_view>

#include "rules/program_state.h"

namespace ui {

// Opens the Edit window over `owner`, which takes no input meanwhile, and
// returns when it has closed. Its opening fills the shared state from the
// file box's folder text and selection text.
void RunEditWindow(HWND owner, rules::ProgramState& state, std::string_view folderText,
                   std::string_view selectionText);

}  // namespace ui
