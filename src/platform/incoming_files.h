// Paths handed to the program by the shell (a drop, the command line), as
// the portable core sorts them.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "exec/incoming_paths.h"

namespace platform {

// Each path (UTF-16, as the shell gives it, of any length) as a file, a
// folder or missing, with its folder and name as GBK texts.
std::vector<exec::IncomingPath> ClassifyPaths(const std::vector<std::wstring>& paths);

// The paths of a drop.
std::vector<std::wstring> DroppedPaths(HDROP drop);

// The paths on the program's command line (none when it has none).
std::vector<std::wstring> CommandLinePaths();

}  // namespace platform
