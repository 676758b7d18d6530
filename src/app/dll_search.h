// Where DLLs are looked for once the program runs.
#pragma once

namespace app {

// Every later load by name (file dialogs, the shell, COM) searches
// System32 only, never the program's own folder or the current one: a
// DLL left beside the program in a Downloads folder is never run. Looked
// up at run time, for a Windows 7 without the update that added it.
void SearchDllsOnlyInSystem32();

}  // namespace app
