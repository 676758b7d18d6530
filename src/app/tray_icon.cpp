#include "app/tray_icon.h"

#include "platform/gbk_convert.h"
#include "platform/window_layout.h"
#include "resource_ids.h"

namespace app {
namespace {

constexpr char kTip[] = "澄川技术";
constexpr int kIconSize = 48;
constexpr int kMenuOffset = 3;

void BringToTop(HWND window) {
  SetForegroundWindow(window);
  SetActiveWindow(window);
  // On top and straight off again: raised above the others, not kept there.
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void PopUpMenu(HWND window, HMENU menu) {
  POINT pointer{};
  GetCursorPos(&pointer);
  // The menu closes when the user clicks elsewhere only if the window is
  // in the foreground.
  SetForegroundWindow(window);
  const int offset = platform::ScaleOf(window)(kMenuOffset);
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, pointer.x + offset, pointer.y + offset, 0, window,
                 nullptr);
  PostMessageW(window, WM_NULL, 0, 0);
}

}  // namespace

TrayIcon::TrayIcon(HWND window, UINT callbackMessage) {
  auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
  const int size = platform::ScaleOf(window)(kIconSize);
  icon_.Reset(static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(IDI_TRAY), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
  data_.cbSize = sizeof(data_);
  data_.hWnd = window;
  data_.uID = 1;
  data_.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
  data_.uCallbackMessage = callbackMessage;
  data_.hIcon = icon_.get();
  lstrcpynW(data_.szTip, platform::ToWide(kTip).c_str(), ARRAYSIZE(data_.szTip));
  shown_ = Shell_NotifyIconW(NIM_ADD, &data_) != FALSE;
}

TrayIcon::~TrayIcon() { Remove(); }

void TrayIcon::PutBack() {
  // Still there (the message also comes on other changes): brought up to date.
  shown_ = Shell_NotifyIconW(NIM_ADD, &data_) != FALSE || Shell_NotifyIconW(NIM_MODIFY, &data_) != FALSE;
}

void TrayIcon::Remove() {
  if (shown_) Shell_NotifyIconW(NIM_DELETE, &data_);
  shown_ = false;
}

void TrayIcon::OnEvent(LPARAM event, HMENU menu) {
  switch (LOWORD(event)) {
    case WM_LBUTTONUP:
      BringToTop(data_.hWnd);
      break;
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU:
      PopUpMenu(data_.hWnd, menu);
      break;
    default:  // a double click and every other action: nothing
      break;
  }
}

}  // namespace app
