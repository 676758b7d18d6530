// The notification-area icon of the Main window.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "platform/owned_handles.h"

namespace app {

class TrayIcon {
 public:
  // Puts up the 48x48 icon with the tip "澄川技术"; mouse actions arrive at
  // `window` as `callbackMessage`.
  TrayIcon(HWND window, UINT callbackMessage);
  ~TrayIcon();
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // Takes a mouse action: left button up brings the window to the top,
  // right button up or the context-menu key pops up `menu` 3 pixels right
  // and down of the pointer; a double click does nothing.
  void OnEvent(LPARAM event, HMENU menu);
  // The taskbar has come (again): Explorer restarted and lost the icon, or
  // was not up yet when the program started.
  void PutBack();
  void Remove();

 private:
  NOTIFYICONDATAW data_{};
  platform::OwnedIcon icon_;
  bool shown_ = false;
};

}  // namespace app
