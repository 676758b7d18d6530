// What the windows reach outside the program through: the user and the
// shell, and the file system. The program hands over the system's; tests
// hand over their own.
#pragma once

#include "exec/rename_ports.h"
#include "platform/desktop.h"

namespace ui {

struct ProgramPorts {
  platform::DesktopInteractions& desktop;
  exec::FileOperations& files;
};

}  // namespace ui
