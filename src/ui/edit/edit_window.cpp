#include "ui/edit/edit_window.h"

#include "platform/gbk_convert.h"
#include "platform/window_helpers.h"

namespace ui {
namespace {

constexpr wchar_t kClassName[] = L"RntoolEditWindow";
constexpr char kTitle[] = "编辑窗口";
constexpr int kWidth = 763;
constexpr int kHeight = 615;

struct Opening {
  rules::ProgramState& state;
  std::string_view folderText;
  std::string_view selectionText;
};

LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    // Hand-over: the picked files become the shared state.
    const auto& opening = *static_cast<Opening*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    opening.state.FillFromSelection(opening.folderText, opening.selectionText);
    return 0;
  }
  if (message == WM_CLOSE) {
    // The owner takes input again before this window goes, so it is the
    // one that becomes active.
    EnableWindow(GetWindow(window, GW_OWNER), TRUE);
    DestroyWindow(window);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterEditClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = EditProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);  // fails harmlessly when already registered
}

}  // namespace

void RunEditWindow(HWND owner, rules::ProgramState& state, std::string_view folderText,
                   std::string_view selectionText) {
  auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
  RegisterEditClass(instance);
  Opening opening{state, folderText, selectionText};
  HWND window = CreateWindowExW(0, kClassName, platform::ToWide(kTitle).c_str(),
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 0, 0, kWidth, kHeight,
                                owner, nullptr, instance, &opening);
  if (!window) return;
  platform::CentreOnScreen(window, kWidth, kHeight);
  EnableWindow(owner, FALSE);
  ShowWindow(window, SW_SHOW);

  MSG message;
  while (IsWindow(window)) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));  // for the outer loop
      break;
    }
    if (platform::CloseOnEscape(message, window)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  EnableWindow(owner, TRUE);
  SetActiveWindow(owner);
}

}  // namespace ui
