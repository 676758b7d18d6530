#include "platform/window_helpers.h"

#include "platform/gbk_convert.h"

namespace platform {

HWND CreateChild(const wchar_t* className, std::string_view text, DWORD style, const Rect& place,
                 HWND parent, int id, DWORD exStyle) {
  HWND child = CreateWindowExW(exStyle, className, ToWide(text).c_str(), WS_CHILD | WS_VISIBLE | style,
                               place.left, place.top, place.width, place.height, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)),
                               nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return child;
}

void RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure,
                         HBRUSH background, HICON icon, HICON smallIcon) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = background;
  windowClass.hIcon = icon;
  windowClass.hIconSm = smallIcon;
  windowClass.lpszClassName = name;
  RegisterClassExW(&windowClass);
}

void SetText(HWND window, std::string_view gbk) { SetWindowTextW(window, ToWide(gbk).c_str()); }

HFONT CreateUiFont(int height, const wchar_t* face, bool underline, BYTE charSet) {
  return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, underline, FALSE, charSet,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, face);
}

void CentreOnScreen(HWND window, int width, int height) {
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CloseOnEscape(const MSG& message, HWND topLevel) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_ESCAPE) return false;
  if (message.hwnd != topLevel && !IsChild(topLevel, message.hwnd)) return false;
  // An open drop-down list takes Esc for itself.
  wchar_t className[32] = {};
  GetClassNameW(message.hwnd, className, 32);
  if (lstrcmpiW(className, L"ComboBox") == 0 &&
      SendMessageW(message.hwnd, CB_GETDROPPEDSTATE, 0, 0)) {
    return false;
  }
  PostMessageW(topLevel, WM_CLOSE, 0, 0);
  return true;
}

}  // namespace platform
