// Before the program shows a window: runs a crash, a kill, a power cut or
// the end of the session cut short are offered back.
#pragma once

#include "ui/program_ports.h"

namespace app {

// Asks through the desktop; the files go back a slice at a time, with the
// thread's messages served in between.
void PutBackLeftRuns(const ui::ProgramPorts& ports);

}  // namespace app
