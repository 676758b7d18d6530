#include "app/left_runs_at_start.h"

#include "exec/left_runs.h"
#include "ui/desktop_prompts.h"

namespace app {

void PutBackLeftRuns(const ui::ProgramPorts& ports) {
  // No window is open yet: the questions and messages are all there is.
  ui::DesktopPrompts prompts(ports.desktop);
  exec::PutBackLeftRuns(ports.journals, ports.files, prompts,
                        [&](exec::RenameRun& run) { ui::CarryRun(run, prompts); });
}

}  // namespace app
