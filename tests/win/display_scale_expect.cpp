#include "display_scale_expect.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/display_scale.h"

namespace testing_support {

int RunDpi() { return platform::SystemDpi(); }

void ExpectScaled(int actual, int figure, int dpi) {
  const double wanted = figure * static_cast<double>(dpi) / platform::kBaseDpi;
  const double tolerance = dpi == platform::kBaseDpi ? 0 : 1;
  EXPECT_LE(std::fabs(actual - wanted), tolerance) << figure << " at " << dpi << " dpi";
}

void ExpectPlaceAt(HWND control, const platform::Rect& place, int dpi, bool compareHeight) {
  RECT actual;
  GetWindowRect(control, &actual);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&actual), 2);
  ExpectScaled(actual.left, place.left, dpi);
  ExpectScaled(actual.top, place.top, dpi);
  ExpectScaled(actual.right, place.left + place.width, dpi);
  if (compareHeight) ExpectScaled(actual.bottom, place.top + place.height, dpi);
}

void ExpectWindowAt(HWND window, int width, int height, SIZE client, int dpi) {
  RECT frame, inside;
  GetWindowRect(window, &frame);
  GetClientRect(window, &inside);
  ExpectScaled(frame.right - frame.left, width, dpi);
  ExpectScaled(frame.bottom - frame.top, height, dpi);
  const platform::Scale scale{dpi};
  EXPECT_GE(inside.right, scale(client.cx));
  EXPECT_GE(inside.bottom, scale(client.cy));
}

int FontHeightOf(HWND window) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof(font), &font);
  return font.lfHeight;
}

COLORREF ColourAt(HWND window, POINT point) {
  ClientToScreen(window, &point);
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, point.x, point.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

}  // namespace testing_support
