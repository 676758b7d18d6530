// The check item "添加到“发送到”菜单" of the menu 工具: checked while the
// user's Send To folder holds the shortcut to this very program.
#pragma once

#include <windows.h>

#include <string>

namespace app {

// The check mark from what is in `folder` now.
void ShowSendTo(HMENU menu, UINT item, const std::wstring& folder, const std::wstring& program);
// Checked: the shortcut goes. Unchecked: it is made (one pointing at another
// copy of the program is replaced). The mark then shows what is on disk.
void ToggleSendTo(HMENU menu, UINT item, const std::wstring& folder, const std::wstring& program);

}  // namespace app
