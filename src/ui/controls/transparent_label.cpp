#include "ui/controls/transparent_label.h"

#include <memory>
#include <string>

#include "platform/controls.h"
#include "platform/object_window.h"
#include "platform/window_layout.h"
#include "ui/controls/accessible_role.h"
#include "ui/controls/background.h"
#include "ui/controls/system_colours.h"

namespace ui {
namespace {

constexpr wchar_t kClassName[] = L"RntoolTransparentLabel";

void DrawTextAt(HDC dc, const std::wstring& text, RECT area, int dx, int dy, COLORREF colour,
                UINT format) {
  OffsetRect(&area, dx, dy);
  SetTextColor(dc, colour);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, format);
}

// Controls that lie partly under the label stay visible: the label paints
// nothing over them. (One that holds the whole label, a frame, is the
// label's background.)
void LeaveSiblingsVisible(HWND label, HDC dc) {
  RECT own;
  GetWindowRect(label, &own);
  for (HWND sibling = GetWindow(GetParent(label), GW_CHILD); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
    RECT other, overlap, both;
    if (sibling == label || !IsWindowVisible(sibling)) continue;
    GetWindowRect(sibling, &other);
    if (!IntersectRect(&overlap, &own, &other)) continue;
    if (UnionRect(&both, &own, &other) && EqualRect(&both, &other)) continue;  // holds the label
    MapWindowPoints(nullptr, label, reinterpret_cast<POINT*>(&overlap), 2);
    ExcludeClipRect(dc, overlap.left, overlap.top, overlap.right, overlap.bottom);
  }
}

// A label of one style; the window owns it.
class TransparentLabel {
 public:
  explicit TransparentLabel(const LabelStyle& style) : style_(style) {}

  LRESULT Handle(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_ERASEBKGND: return 1;
      case WM_PAINT: return OnPaint(label);
      case WM_SETFONT: return OnSetFont(label, reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0);
      case WM_GETFONT: return reinterpret_cast<LRESULT>(style_.font);
      case WM_SETTEXT: return OnSetText(label, wParam, lParam);
      case WM_SETCURSOR: return OnSetCursor(label, wParam, lParam);
      case WM_GETOBJECT: return OnGetObject(label, wParam, lParam);
      case WM_LBUTTONDOWN: return OnLeftButtonDown(label);
      default: return DefWindowProcW(label, message, wParam, lParam);
    }
  }

 private:
  LRESULT OnPaint(HWND label) const;
  // The font is kept in the style, so the window's layout can hand over
  // the font of another scale.
  LRESULT OnSetFont(HWND label, HFONT font, bool redraw) {
    style_.font = font;
    if (redraw) InvalidateRect(label, nullptr, FALSE);
    return 0;
  }
  LRESULT OnSetText(HWND label, WPARAM wParam, LPARAM lParam) const {
    const LRESULT result = DefWindowProcW(label, WM_SETTEXT, wParam, lParam);
    InvalidateRect(label, nullptr, FALSE);
    return result;
  }
  LRESULT OnSetCursor(HWND label, WPARAM wParam, LPARAM lParam) const {
    if (!style_.link) return DefWindowProcW(label, WM_SETCURSOR, wParam, lParam);
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return TRUE;
  }
  LRESULT OnGetObject(HWND label, WPARAM wParam, LPARAM lParam) const {
    const auto kind = style_.link ? AccessibleKind::Link : AccessibleKind::StaticText;
    const auto answer = AnswerGetObject(label, wParam, lParam, kind, WM_LBUTTONDOWN);
    return answer ? *answer : DefWindowProcW(label, WM_GETOBJECT, wParam, lParam);
  }
  LRESULT OnLeftButtonDown(HWND label) const {
    if (style_.link) platform::NotifyParent(label, STN_CLICKED);
    return 0;
  }

  LabelStyle style_;
};

LRESULT TransparentLabel::OnPaint(HWND label) const {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(label, &paint);
  RECT area;
  GetClientRect(label, &area);
  LeaveSiblingsVisible(label, dc);
  FillWithWindowBackground(label, dc, area);

  const int length = GetWindowTextLengthW(label);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(label, text.data(), length + 1);
  text.resize(static_cast<size_t>(length));

  HGDIOBJ oldFont = SelectObject(dc, style_.font ? style_.font : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  UINT format = DT_LEFT | DT_NOPREFIX;
  if (style_.wordWrap) format |= DT_WORDBREAK;
  if (style_.singleLineCentred) format |= DT_SINGLELINE | DT_VCENTER;
  constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);
  // Under high contrast: plain text in the system's colour, no shadow.
  const bool system = DrawsInSystemColours(label);
  const COLORREF ink = !system ? kBlack : GetSysColor(style_.link ? COLOR_HOTLIGHT : COLOR_WINDOWTEXT);
  const int shift = platform::ScaleOf(label)(1);
  switch (system ? LabelLook::Plain : style_.look) {
    case LabelLook::Engraved:
      DrawTextAt(dc, text, area, 0, 0, kWhite, format);
      DrawTextAt(dc, text, area, shift, shift, ink, format);
      break;
    case LabelLook::Embossed:
      DrawTextAt(dc, text, area, shift, shift, kWhite, format);
      DrawTextAt(dc, text, area, 0, 0, ink, format);
      break;
    case LabelLook::Plain:
      DrawTextAt(dc, text, area, 0, 0, ink, format);
      break;
  }
  SelectObject(dc, oldFont);
  EndPaint(label, &paint);
  return 0;
}

}  // namespace

HWND CreateTransparentLabel(platform::WindowLayout& layout, HWND parent, int id, std::string_view text, const platform::Rect& place,
                            const LabelStyle& style) {
  auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
  platform::RegisterWindowClass(instance, kClassName,
                                platform::ObjectWindowProc<TransparentLabel, platform::ObjectOwner::Window>);
  auto object = std::make_unique<TransparentLabel>(style);
  HWND label = layout.CreateChild(kClassName, text, 0, place, parent, id, 0, &object);
  if (label && style.font) platform::SetFont(label, style.font);
  return label;
}

}  // namespace ui
