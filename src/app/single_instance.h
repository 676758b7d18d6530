#pragma once

namespace app {

// True when another copy of this program runs in this user session: one
// that went on before (it holds the session's running name), or a process
// of this session, started before this one, whose executable file name
// (no folder) equals this program's, letter case included. Copies started
// at the same moment take turns, so exactly one goes on.
bool AnotherCopyIsRunning();

}  // namespace app
