#include "ui/controls/picture_button.h"

#include <memory>

#include "ui/controls/background.h"

namespace ui {
namespace {

constexpr wchar_t kClassName[] = L"RntoolPictureButton";
constexpr COLORREF kTransparentColour = RGB(0, 0, 255);

struct ButtonState {
  ButtonPictures pictures;
  bool mouseOver = false;
  bool pressed = false;
};

ButtonState* StateOf(HWND button) {
  return reinterpret_cast<ButtonState*>(GetWindowLongPtrW(button, GWLP_USERDATA));
}

ButtonLook LookOf(const ButtonState& state) {
  if (state.pressed && state.mouseOver) return ButtonLook::Pressed;
  return state.mouseOver ? ButtonLook::MouseOver : ButtonLook::Normal;
}

HBITMAP PictureFor(const ButtonState& state) {
  switch (LookOf(state)) {
    case ButtonLook::Pressed: return state.pictures.pressed;
    case ButtonLook::MouseOver: return state.pictures.mouseOver;
    default: return state.pictures.normal;
  }
}

void Paint(HWND button) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(button, &paint);
  RECT area;
  GetClientRect(button, &area);
  FillWithWindowBackground(button, dc, area);
  HBITMAP picture = PictureFor(*StateOf(button));
  BITMAP size{};
  if (picture && GetObjectW(picture, sizeof(size), &size)) {
    HDC pictureDc = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(pictureDc, picture);
    const int left = (area.right - size.bmWidth) / 2;
    const int top = (area.bottom - size.bmHeight) / 2;
    TransparentBlt(dc, left, top, size.bmWidth, size.bmHeight, pictureDc, 0, 0, size.bmWidth,
                   size.bmHeight, kTransparentColour);
    SelectObject(pictureDc, old);
    DeleteDC(pictureDc);
  }
  const bool focusShown = !(SendMessageW(button, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
  if (GetFocus() == button && focusShown) {
    InflateRect(&area, -2, -2);
    DrawFocusRect(dc, &area);
  }
  EndPaint(button, &paint);
}

void Update(HWND button, bool mouseOver, bool pressed) {
  ButtonState& state = *StateOf(button);
  if (state.mouseOver == mouseOver && state.pressed == pressed) return;
  state.mouseOver = mouseOver;
  state.pressed = pressed;
  InvalidateRect(button, nullptr, FALSE);
}

bool PointerInside(HWND button, LPARAM point) {
  RECT area;
  GetClientRect(button, &area);
  const POINT p{static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
  return PtInRect(&area, p) != 0;
}

void ReportClick(HWND button) {
  SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

LRESULT CALLBACK ButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: {
      const auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
      auto state = std::make_unique<ButtonState>();
      state->pictures = *static_cast<ButtonPictures*>(create->lpCreateParams);
      SetWindowLongPtrW(button, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state.release()));
      break;
    }
    case WM_NCDESTROY:
      delete StateOf(button);
      SetWindowLongPtrW(button, GWLP_USERDATA, 0);
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint(button);
      return 0;
    case WM_MOUSEMOVE: {
      if (!StateOf(button)->mouseOver) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, button, 0};
        TrackMouseEvent(&track);
      }
      Update(button, PointerInside(button, lParam), StateOf(button)->pressed);
      return 0;
    }
    case WM_MOUSELEAVE:
      Update(button, false, StateOf(button)->pressed);
      return 0;
    case WM_LBUTTONDOWN:
      SetCapture(button);
      Update(button, true, true);
      return 0;
    case WM_LBUTTONUP: {
      const bool wasPressed = StateOf(button)->pressed;
      const bool inside = PointerInside(button, lParam);
      ReleaseCapture();
      Update(button, inside, false);
      if (wasPressed && inside) ReportClick(button);
      return 0;
    }
    case WM_CAPTURECHANGED:
      Update(button, StateOf(button)->mouseOver, false);
      return 0;
    case BM_CLICK:
      ReportClick(button);
      return 0;
    // From the keyboard: Enter presses it at once, Space when let go.
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) ReportClick(button);
      return 0;
    case WM_KEYUP:
      if (wParam == VK_SPACE) ReportClick(button);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_BUTTON | DLGC_WANTALLKEYS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
      InvalidateRect(button, nullptr, FALSE);
      break;
    default:
      break;
  }
  return DefWindowProcW(button, message, wParam, lParam);
}

}  // namespace

HWND CreatePictureButton(HWND parent, int id, const platform::Rect& place,
                         const ButtonPictures& pictures) {
  auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
  platform::RegisterWindowClass(instance, kClassName, ButtonProc);
  ButtonPictures copy = pictures;
  return CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, place.left, place.top,
                         place.width, place.height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, &copy);
}

ButtonLook CurrentLook(HWND button) { return LookOf(*StateOf(button)); }

}  // namespace ui
