// A second copy started with paths hands them to the copy that runs.
#pragma once

#include <string>
#include <vector>

namespace app {

// Sends `paths` to the Main window of another running copy of the program
// (UTF-16, WM_COPYDATA); true when it took them.
bool HandOverPaths(const std::vector<std::wstring>& paths);

}  // namespace app
