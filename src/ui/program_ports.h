// What the windows reach outside the program through: the user and the
// shell, the file system, where runs keep their journals, and the rename
// history. The program hands over the system's; tests hand over their own.
#pragma once

#include "exec/rename_ports.h"
#include "exec/run_history.h"
#include "exec/run_journal.h"
#include "platform/desktop.h"

namespace ui {

struct ProgramPorts {
  platform::DesktopInteractions& desktop;
  exec::FileOperations& files;
  exec::JournalStore& journals;
  exec::RunHistory& history;
};

}  // namespace ui
