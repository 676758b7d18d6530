#include "app/send_to_item.h"

#include "platform/send_to.h"

namespace app {

void ShowSendTo(HMENU menu, UINT item, const std::wstring& folder, const std::wstring& program) {
  const bool here = !folder.empty() && platform::SendToPointsAt(folder, program);
  CheckMenuItem(menu, item, MF_BYCOMMAND | (here ? MF_CHECKED : MF_UNCHECKED));
}

void ToggleSendTo(HMENU menu, UINT item, const std::wstring& folder, const std::wstring& program) {
  if (folder.empty()) return;
  if (GetMenuState(menu, item, MF_BYCOMMAND) & MF_CHECKED) {
    platform::RemoveSendToShortcut(folder);
  } else {
    platform::MakeSendToShortcut(folder, program);
  }
  ShowSendTo(menu, item, folder, program);
}

}  // namespace app
