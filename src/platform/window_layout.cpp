#include "platform/window_layout.h"

#include <cwchar>
#include <utility>

#include "platform/gbk_convert.h"

namespace platform {
namespace {

constexpr wchar_t kLayoutProperty[] = L"RntoolWindowLayout";

HFONT MakeFont(const FontDescription& font, const Scale& scale) {
  return CreateFontW(scale(font.height), 0, 0, 0, FW_NORMAL, FALSE, font.underline, FALSE, font.charSet,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                     font.face);
}

// The stock GUI font is made at the system's dpi; at any other the same
// face is made again at that scale.
HFONT MakeGuiFont(const Scale& scale) {
  if (scale.dpi == SystemDpi()) return nullptr;
  LOGFONTW font{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
  font.lfHeight = MulDiv(font.lfHeight, scale.dpi, SystemDpi());
  font.lfWidth = 0;
  return CreateFontIndirectW(&font);
}

bool SameDescription(const FontDescription& a, const FontDescription& b) {
  return a.height == b.height && std::wcscmp(a.face, b.face) == 0 && a.underline == b.underline &&
         a.charSet == b.charSet;
}

void MoveTo(HWND control, const Rect& place) {
  SetWindowPos(control, nullptr, place.left, place.top, place.width, place.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void WindowLayout::Attach(HWND window, int width, int height) {
  window_ = window;
  size_ = {width, height};
  scale_ = {MonitorDpiOf(window)};
  guiFont_.Reset(MakeGuiFont(scale_));
  SetPropW(window, kLayoutProperty, this);
}

void WindowLayout::Detach() {
  if (window_) RemovePropW(window_, kLayoutProperty);
  window_ = nullptr;
  controls_.clear();
  fonts_.clear();
  guiFont_.Reset();
}

HFONT WindowLayout::Font(const FontDescription& description) {
  for (const MadeFont& made : fonts_) {
    if (SameDescription(made.description, description)) return made.font.get();
  }
  fonts_.push_back({description, OwnedGdi<HFONT>(MakeFont(description, scale_))});
  return fonts_.back().font.get();
}

HFONT WindowLayout::GuiFont() const {
  return guiFont_ ? guiFont_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HWND WindowLayout::CreateChild(const wchar_t* className, std::string_view text, DWORD style,
                               const Rect& place, HWND parent, int id, DWORD exStyle,
                               void* createParam) {
  const Rect scaled = scale_(place);
  HWND child = CreateWindowExW(exStyle, className, ToWide(text).c_str(), WS_CHILD | WS_VISIBLE | style,
                               scaled.left, scaled.top, scaled.width, scaled.height, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)),
                               createParam);
  if (!child) return nullptr;
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), FALSE);
  Keep(child, place);
  return child;
}

void WindowLayout::Keep(HWND control, const Rect& place) { controls_.push_back({control, place}); }

bool WindowLayout::HandleScaleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == kGetDpiScaledSize) {
    *reinterpret_cast<SIZE*>(lParam) = OuterSizeAt(window_, size_.cx, size_.cy, static_cast<int>(wParam));
    result = TRUE;
    return true;
  }
  if (message != WM_DPICHANGED) return false;
  const Scale scale{HIWORD(wParam)};
  if (scale.dpi > 0 && !(scale == scale_)) Rescale(scale);
  MoveToSuggested(window_, lParam);
  InvalidateRect(window_, nullptr, TRUE);
  result = 0;
  return true;
}

void WindowLayout::Rescale(const Scale& scale) {
  // Old font → new font, so each control gets the new one of its own.
  std::vector<std::pair<HFONT, HFONT>> swaps;
  std::vector<OwnedGdi<HFONT>> replaced;  // deleted at the end, once no control has them
  swaps.reserve(fonts_.size() + 1);
  for (MadeFont& made : fonts_) {
    OwnedGdi<HFONT> remade(MakeFont(made.description, scale));
    swaps.emplace_back(made.font.get(), remade.get());
    replaced.push_back(std::move(made.font));
    made.font = std::move(remade);
  }
  OwnedGdi<HFONT> gui(MakeGuiFont(scale));
  swaps.emplace_back(GuiFont(), gui ? gui.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  replaced.push_back(std::move(guiFont_));
  guiFont_ = std::move(gui);
  scale_ = scale;
  for (const Placed& placed : controls_) {
    if (!IsWindow(placed.control)) continue;
    const auto font = reinterpret_cast<HFONT>(SendMessageW(placed.control, WM_GETFONT, 0, 0));
    for (const auto& [from, to] : swaps) {
      if (font && font == from) {
        SendMessageW(placed.control, WM_SETFONT, reinterpret_cast<WPARAM>(to), TRUE);
        break;
      }
    }
    MoveTo(placed.control, scale_(placed.place));
  }
}

void MoveToSuggested(HWND window, LPARAM lParam) {
  const auto* suggested = reinterpret_cast<const RECT*>(lParam);
  if (!suggested) return;
  SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
               suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
}

WindowLayout* LayoutOf(HWND window) {
  HWND topLevel = window ? GetAncestor(window, GA_ROOT) : nullptr;
  return topLevel ? static_cast<WindowLayout*>(GetPropW(topLevel, kLayoutProperty)) : nullptr;
}

Scale ScaleOf(HWND window) {
  if (const WindowLayout* layout = LayoutOf(window)) return layout->scale();
  return {MonitorDpiOf(window)};
}

}  // namespace platform
