#pragma once

namespace app {

// True when a snapshot of the running processes holds, besides this one,
// a process whose executable file name (no folder) equals this program's,
// letter case included. False when no snapshot can be taken.
bool AnotherCopyIsRunning();

}  // namespace app
