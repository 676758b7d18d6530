// The layout of one top-level window at its display scale: the places of
// its controls and the heights of its fonts are written for 96 dpi, and
// this is the one place that turns them into pixels, when the controls are
// made and again whenever the window moves to a monitor of another scale.
#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

#include "platform/display_scale.h"
#include "platform/owned_handles.h"
#include "platform/window_helpers.h"

namespace platform {

// WM_GETDPISCALEDSIZE, which Windows 10 1703 and later send; the headers
// for Windows 7 do not name it, and older Windows never send it.
constexpr UINT kGetDpiScaledSize = 0x02E4;

struct FontDescription {
  int height;            // negative: character height in pixels at 96 dpi
  const wchar_t* face;   // empty: the system picks one for the character set
  bool underline = false;
  BYTE charSet = DEFAULT_CHARSET;
};

class WindowLayout {
 public:
  WindowLayout() = default;
  WindowLayout(const WindowLayout&) = delete;
  WindowLayout& operator=(const WindowLayout&) = delete;
  ~WindowLayout() = default;

  // From WM_CREATE of `window` on, before its controls are made (with
  // CreateChild); its controls find the layout through it (LayoutOf) for
  // their scale. `width`×`height` is the window's outer size at 96 dpi.
  void Attach(HWND window, int width, int height);
  // At WM_NCDESTROY of the window: its fonts go with it.
  void Detach();

  const Scale& scale() const { return scale_; }

  // A font of `description` at the window's scale, owned by the layout; asked
  // again, the same font.
  HFONT Font(const FontDescription& description);
  // The default GUI font at the window's scale.
  HFONT GuiFont() const;

  // A visible child control of `parent` (this window or one of its
  // children) with the default GUI font at the window's scale. `place` is
  // at 96 dpi: the control is made at the window's scale and kept, so it
  // is placed again when the scale changes. (Every control is made here,
  // so none can be left unscaled.) `createParam` goes to WM_NCCREATE.
  HWND CreateChild(const wchar_t* className, std::string_view text, DWORD style, const Rect& place,
                   HWND parent, int id, DWORD exStyle = 0, void* createParam = nullptr);

  // kGetDpiScaledSize: the window's size at the new scale, which the
  // system then suggests. WM_DPICHANGED: every font made again at the new
  // scale and handed to the controls that had it, every control placed
  // again, and the window moved to the suggested rectangle. Texts, lists
  // and selections stay as they are. True when `message` was one of them.
  bool HandleScaleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

 private:
  struct MadeFont {
    FontDescription description;
    OwnedGdi<HFONT> font;
  };
  struct Placed {
    HWND control;
    Rect place;
  };
  void Keep(HWND control, const Rect& place);
  void Rescale(const Scale& scale);

  HWND window_ = nullptr;
  SIZE size_{};  // the outer size at 96 dpi
  Scale scale_;
  std::vector<MadeFont> fonts_;
  OwnedGdi<HFONT> guiFont_;  // made only when the scale is not the system's
  std::vector<Placed> controls_;
};

// WM_DPICHANGED: moves `window` to the rectangle the system suggests
// (`lParam`).
void MoveToSuggested(HWND window, LPARAM lParam);

// The layout of the top-level window holding `window`, if it has one.
WindowLayout* LayoutOf(HWND window);

// The scale `window` is drawn at: its layout's, else its monitor's.
Scale ScaleOf(HWND window);

}  // namespace platform
