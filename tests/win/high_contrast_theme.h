// A dark high-contrast theme for as long as the object lives: the desktop
// port's switch says high contrast is on, the system's colours are those
// of the theme, and the windows are told as Windows tells them. (Wine cannot
// switch high contrast on: SPI_SETHIGHCONTRAST fails there.) Its colours
// are none of the program's own, so a pixel shows whose colour it is.
#pragma once

#include <windows.h>

#include <array>

namespace testing_support {

class HighContrastTheme {
 public:
  static constexpr COLORREF kWindow = RGB(16, 16, 48);
  static constexpr COLORREF kText = RGB(255, 255, 0);
  static constexpr COLORREF kLink = RGB(0, 255, 255);

  // `on` is what the desktop port answers when asked for high contrast.
  explicit HighContrastTheme(bool& on) : on_(on) {
    for (size_t i = 0; i < kElements.size(); ++i) saved_[i] = GetSysColor(kElements[i]);
    on_ = true;
    Use(kTheme);
  }
  ~HighContrastTheme() {
    on_ = false;
    Use(saved_);
  }
  HighContrastTheme(const HighContrastTheme&) = delete;
  HighContrastTheme& operator=(const HighContrastTheme&) = delete;

 private:
  static constexpr std::array<int, 8> kElements = {COLOR_WINDOW,    COLOR_WINDOWTEXT,    COLOR_HOTLIGHT,
                                                   COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, COLOR_BTNFACE,
                                                   COLOR_BTNTEXT,   COLOR_GRAYTEXT};
  static constexpr std::array<COLORREF, 8> kTheme = {
      kWindow, kText, kLink, RGB(0, 128, 0), RGB(255, 255, 255), kWindow, kText, RGB(0, 255, 0)};

  // SetSysColors sends WM_SYSCOLORCHANGE itself; switching high contrast
  // also sends WM_SETTINGCHANGE. The windows repaint once they take their
  // messages.
  static void Use(const std::array<COLORREF, 8>& colours) {
    SetSysColors(static_cast<int>(kElements.size()), kElements.data(), colours.data());
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0, SMTO_ABORTIFHUNG, 2000,
                        nullptr);
  }

  bool& on_;
  std::array<COLORREF, 8> saved_{};
};

}  // namespace testing_support
