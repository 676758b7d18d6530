#include "ui/controls/picture_button.h"

#include "ui/controls/accessible_role.h"

#include <memory>

#include "platform/controls.h"
#include "platform/owned_handles.h"
#include "platform/scaled_picture.h"
#include "platform/window_layout.h"
#include "ui/controls/background.h"

namespace ui {
namespace {

constexpr wchar_t kClassName[] = L"RntoolPictureButton";
constexpr COLORREF kTransparentColour = RGB(0, 0, 255);

constexpr int kFocusInset = 2;

HBITMAP LoadBitmapResource(HINSTANCE instance, int id) {
  return static_cast<HBITMAP>(
      LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

struct ButtonState {
  explicit ButtonState(const ButtonPictures& ids)
      : pictures({ids.normal, ids.mouseOver, ids.pressed}, LoadBitmapResource) {}
  platform::ScaledPictures pictures;  // in the order of ButtonLook
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

HBITMAP PictureFor(HWND button, const platform::Scale& scale) {
  ButtonState& state = *StateOf(button);
  auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(button, GWLP_HINSTANCE));
  return state.pictures.For(instance, scale, static_cast<size_t>(LookOf(state)));
}

// The picture goes onto the window's background at its own size first, so
// that scaling it smooths the edges against the background, not the
// transparent colour.
void DrawCentred(HWND button, HDC dc, const RECT& area, HBITMAP picture, const platform::Scale& scale) {
  const SIZE size = platform::BitmapSize(picture);
  if (size.cx == 0 || size.cy == 0) return;
  const platform::OwnedGdi<HBITMAP> composed(CreateCompatibleBitmap(dc, size.cx, size.cy));
  {
    const platform::OwnedDc composedDc(CreateCompatibleDC(dc));
    HGDIOBJ oldComposed = SelectObject(composedDc.get(), composed.get());
    const RECT whole{0, 0, size.cx, size.cy};
    FillWithWindowBackground(button, composedDc.get(), whole);
    const platform::OwnedDc pictureDc(CreateCompatibleDC(dc));
    HGDIOBJ oldPicture = SelectObject(pictureDc.get(), picture);
    GdiTransparentBlt(composedDc.get(), 0, 0, size.cx, size.cy, pictureDc.get(), 0, 0, size.cx, size.cy,
                      kTransparentColour);
    SelectObject(pictureDc.get(), oldPicture);
    SelectObject(composedDc.get(), oldComposed);
  }
  const SIZE shown = platform::SizeAt(scale, StateOf(button)->pictures.choice(), size);
  const int left = (area.right - shown.cx) / 2;
  const int top = (area.bottom - shown.cy) / 2;
  platform::DrawPicture(dc, {left, top, left + shown.cx, top + shown.cy}, composed.get());
}

void Paint(HWND button) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(button, &paint);
  RECT area;
  GetClientRect(button, &area);
  FillWithWindowBackground(button, dc, area);
  const platform::Scale scale = platform::ScaleOf(button);
  DrawCentred(button, dc, area, PictureFor(button, scale), scale);
  // Raw: the window's keyboard cues, which no control of ours wraps.
  const bool focusShown = !(SendMessageW(button, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
  if (GetFocus() == button && focusShown) {
    InflateRect(&area, -scale(kFocusInset), -scale(kFocusInset));
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

void ReportClick(HWND button) { platform::NotifyParent(button, BN_CLICKED); }

// The pointer's messages: hover, press, and a click where it is let go
// over the button. False for any other message.
bool HandlePointer(HWND button, UINT message, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:
      if (!StateOf(button)->mouseOver) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, button, 0};
        TrackMouseEvent(&track);
      }
      Update(button, PointerInside(button, lParam), StateOf(button)->pressed);
      return true;
    case WM_MOUSELEAVE:
      Update(button, false, StateOf(button)->pressed);
      return true;
    case WM_LBUTTONDOWN:
      SetCapture(button);
      Update(button, true, true);
      return true;
    case WM_LBUTTONUP: {
      const bool wasPressed = StateOf(button)->pressed;
      const bool inside = PointerInside(button, lParam);
      ReleaseCapture();
      Update(button, inside, false);
      if (wasPressed && inside) ReportClick(button);
      return true;
    }
    case WM_CAPTURECHANGED:
      Update(button, StateOf(button)->mouseOver, false);
      return true;
    default:
      return false;
  }
}

LRESULT CALLBACK ButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
  if (HandlePointer(button, message, lParam)) return 0;
  switch (message) {
    case WM_NCCREATE: {
      const auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
      auto state = std::make_unique<ButtonState>(*static_cast<ButtonPictures*>(create->lpCreateParams));
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
    case WM_GETOBJECT:
      if (const auto answer = AnswerGetObject(button, wParam, lParam, AccessibleKind::PushButton, BM_CLICK)) {
        return *answer;
      }
      break;
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

HWND CreatePictureButton(platform::WindowLayout& layout, HWND parent, int id, const platform::Rect& place,
                         const ButtonPictures& pictures, std::string_view name) {
  auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
  platform::RegisterWindowClass(instance, kClassName, platform::Guarded<ButtonProc>);
  ButtonPictures copy = pictures;
  return layout.CreateChild(kClassName, name, WS_TABSTOP, place, parent, id, 0, &copy);
}

ButtonLook CurrentLook(HWND button) { return LookOf(*StateOf(button)); }

}  // namespace ui
