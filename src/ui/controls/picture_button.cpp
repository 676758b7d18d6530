#include "ui/controls/picture_button.h"

#include "ui/controls/accessible_role.h"

#include <memory>

#include "platform/controls.h"
#include "platform/object_window.h"
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

// A button's pictures and where the pointer is; the window owns it.
class PictureButton {
 public:
  explicit PictureButton(const ButtonPictures& ids)
      : pictures_({ids.normal, ids.mouseOver, ids.pressed}, LoadBitmapResource) {}

  ButtonLook Look() const {
    if (pressed_ && mouseOver_) return ButtonLook::Pressed;
    return mouseOver_ ? ButtonLook::MouseOver : ButtonLook::Normal;
  }

  LRESULT Handle(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_MOUSEMOVE: return OnMouseMove(button, lParam);
      case WM_MOUSELEAVE: return Update(button, false, pressed_);
      case WM_LBUTTONDOWN: return OnLeftButtonDown(button);
      case WM_LBUTTONUP: return OnLeftButtonUp(button, lParam);
      case WM_CAPTURECHANGED: return Update(button, mouseOver_, false);
      case WM_ERASEBKGND: return 1;
      case WM_PAINT: return OnPaint(button);
      case BM_CLICK: return ReportClick(button);
      // From the keyboard: Enter presses it at once, Space when let go.
      case WM_KEYDOWN: return wParam == VK_RETURN ? ReportClick(button) : 0;
      case WM_KEYUP: return wParam == VK_SPACE ? ReportClick(button) : 0;
      case WM_GETDLGCODE: return DLGC_BUTTON | DLGC_WANTALLKEYS;
      case WM_GETOBJECT: return OnGetObject(button, wParam, lParam);
      case WM_SETFOCUS:
      case WM_KILLFOCUS:
      case WM_UPDATEUISTATE: return RepaintAfter(button, message, wParam, lParam);
      default: return DefWindowProcW(button, message, wParam, lParam);
    }
  }

 private:
  LRESULT OnPaint(HWND button);
  void DrawCentred(HWND button, HDC dc, const RECT& area, const platform::Scale& scale);

  LRESULT Update(HWND button, bool mouseOver, bool pressed) {
    if (mouseOver_ == mouseOver && pressed_ == pressed) return 0;
    mouseOver_ = mouseOver;
    pressed_ = pressed;
    InvalidateRect(button, nullptr, FALSE);
    return 0;
  }
  LRESULT OnMouseMove(HWND button, LPARAM point) {
    if (!mouseOver_) {
      TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, button, 0};
      TrackMouseEvent(&track);
    }
    return Update(button, PointerInside(button, point), pressed_);
  }
  LRESULT OnLeftButtonDown(HWND button) {
    SetCapture(button);
    return Update(button, true, true);
  }
  // A click where the pointer is let go over the button.
  LRESULT OnLeftButtonUp(HWND button, LPARAM point) {
    const bool wasPressed = pressed_;
    const bool inside = PointerInside(button, point);
    ReleaseCapture();
    Update(button, inside, false);
    if (wasPressed && inside) ReportClick(button);
    return 0;
  }
  static LRESULT ReportClick(HWND button) {
    platform::NotifyParent(button, BN_CLICKED);
    return 0;
  }
  static LRESULT OnGetObject(HWND button, WPARAM wParam, LPARAM lParam) {
    const auto answer = AnswerGetObject(button, wParam, lParam, AccessibleKind::PushButton, BM_CLICK);
    return answer ? *answer : DefWindowProcW(button, WM_GETOBJECT, wParam, lParam);
  }
  static LRESULT RepaintAfter(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
    InvalidateRect(button, nullptr, FALSE);
    return DefWindowProcW(button, message, wParam, lParam);
  }
  static bool PointerInside(HWND button, LPARAM point) {
    RECT area;
    GetClientRect(button, &area);
    const POINT p{static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
    return PtInRect(&area, p) != 0;
  }

  platform::ScaledPictures pictures_;  // in the order of ButtonLook
  bool mouseOver_ = false;
  bool pressed_ = false;
};

// The picture goes onto the window's background at its own size first, so
// that scaling it smooths the edges against the background, not the
// transparent colour.
void PictureButton::DrawCentred(HWND button, HDC dc, const RECT& area, const platform::Scale& scale) {
  auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(button, GWLP_HINSTANCE));
  HBITMAP picture = pictures_.For(instance, scale, static_cast<size_t>(Look()));
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
  const SIZE shown = platform::SizeAt(scale, pictures_.choice(), size);
  const int left = (area.right - shown.cx) / 2;
  const int top = (area.bottom - shown.cy) / 2;
  platform::DrawPicture(dc, {left, top, left + shown.cx, top + shown.cy}, composed.get());
}

LRESULT PictureButton::OnPaint(HWND button) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(button, &paint);
  RECT area;
  GetClientRect(button, &area);
  FillWithWindowBackground(button, dc, area);
  const platform::Scale scale = platform::ScaleOf(button);
  DrawCentred(button, dc, area, scale);
  // Raw: the window's keyboard cues, which no control of ours wraps.
  const bool focusShown = !(SendMessageW(button, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
  if (GetFocus() == button && focusShown) {
    InflateRect(&area, -scale(kFocusInset), -scale(kFocusInset));
    DrawFocusRect(dc, &area);
  }
  EndPaint(button, &paint);
  return 0;
}

}  // namespace

HWND CreatePictureButton(platform::WindowLayout& layout, HWND parent, int id, const platform::Rect& place,
                         const ButtonPictures& pictures, std::string_view name) {
  auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
  platform::RegisterWindowClass(instance, kClassName,
                                platform::ObjectWindowProc<PictureButton, platform::ObjectOwner::Window>);
  auto object = std::make_unique<PictureButton>(pictures);
  return layout.CreateChild(kClassName, name, WS_TABSTOP, place, parent, id, 0, &object);
}

ButtonLook CurrentLook(HWND button) { return platform::ObjectOf<PictureButton>(button)->Look(); }

}  // namespace ui
