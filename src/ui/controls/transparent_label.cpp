#include "ui/controls/transparent_label.h"

#include <memory>
#include <string>

#include "platform/controls.h"
#include "platform/window_layout.h"
#include "ui/controls/accessible_role.h"
#include "ui/controls/background.h"
#include "ui/controls/system_colours.h"

namespace ui {
namespace {

constexpr wchar_t kClassName[] = L"RntoolTransparentLabel";

LabelStyle* StyleOf(HWND label) {
  return reinterpret_cast<LabelStyle*>(GetWindowLongPtrW(label, GWLP_USERDATA));
}

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

void Paint(HWND label) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(label, &paint);
  RECT area;
  GetClientRect(label, &area);
  LeaveSiblingsVisible(label, dc);
  FillWithWindowBackground(label, dc, area);

  const LabelStyle& style = *StyleOf(label);
  const int length = GetWindowTextLengthW(label);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(label, text.data(), length + 1);
  text.resize(static_cast<size_t>(length));

  HGDIOBJ oldFont = SelectObject(dc, style.font ? style.font : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  UINT format = DT_LEFT | DT_NOPREFIX;
  if (style.wordWrap) format |= DT_WORDBREAK;
  if (style.singleLineCentred) format |= DT_SINGLELINE | DT_VCENTER;
  constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);
  // Under high contrast: plain text in the system's colour, no shadow.
  const bool system = DrawsInSystemColours(label);
  const COLORREF ink = !system ? kBlack : GetSysColor(style.link ? COLOR_HOTLIGHT : COLOR_WINDOWTEXT);
  const int shift = platform::ScaleOf(label)(1);
  switch (system ? LabelLook::Plain : style.look) {
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
}

// Each label keeps a copy of the style it was made with.
void KeepStyle(HWND label, LPARAM createParams) {
  const auto* create = reinterpret_cast<CREATESTRUCTW*>(createParams);
  auto style = std::make_unique<LabelStyle>(*static_cast<LabelStyle*>(create->lpCreateParams));
  SetWindowLongPtrW(label, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(style.release()));
}

bool IsLink(HWND label) { return StyleOf(label) && StyleOf(label)->link; }

LRESULT CALLBACK LabelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      KeepStyle(label, lParam);
      break;
    case WM_NCDESTROY:
      delete StyleOf(label);
      SetWindowLongPtrW(label, GWLP_USERDATA, 0);
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint(label);
      return 0;
    // The font is kept in the style, so the window's layout can hand over
    // the font of another scale.
    case WM_SETFONT:
      if (!StyleOf(label)) break;
      StyleOf(label)->font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) InvalidateRect(label, nullptr, FALSE);
      return 0;
    case WM_GETFONT:
      return StyleOf(label) ? reinterpret_cast<LRESULT>(StyleOf(label)->font) : 0;
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcW(label, message, wParam, lParam);
      InvalidateRect(label, nullptr, FALSE);
      return result;
    }
    case WM_SETCURSOR:
      if (!IsLink(label)) break;
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      return TRUE;
    case WM_GETOBJECT:
      if (const auto answer = AnswerGetObject(label, wParam, lParam,
                                              IsLink(label) ? AccessibleKind::Link : AccessibleKind::StaticText,
                                              WM_LBUTTONDOWN)) {
        return *answer;
      }
      break;
    case WM_LBUTTONDOWN:
      if (IsLink(label)) platform::NotifyParent(label, STN_CLICKED);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(label, message, wParam, lParam);
}

}  // namespace

HWND CreateTransparentLabel(platform::WindowLayout& layout, HWND parent, int id, std::string_view text, const platform::Rect& place,
                            const LabelStyle& style) {
  auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
  platform::RegisterWindowClass(instance, kClassName, platform::Guarded<LabelProc>);
  LabelStyle copy = style;
  HWND label = layout.CreateChild(kClassName, text, 0, place, parent, id, 0, &copy);
  if (label && style.font) platform::SetFont(label, style.font);
  return label;
}

}  // namespace ui
