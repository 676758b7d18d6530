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

// Paths handed from one copy of the program to another (WM_COPYDATA): the
// mark its data carries, the UTF-16 text that carries them (each ended by a
// zero), and the paths read back from it.
inline constexpr ULONG_PTR kPathsData = 0x524E5031;  // "RNP1"
std::wstring PathsMessage(const std::vector<std::wstring>& paths);
std::vector<std::wstring> PathsOfMessage(const COPYDATASTRUCT& data);

}  // namespace platform
