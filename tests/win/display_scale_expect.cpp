#include "display_scale_expect.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/display_scale.h"
#include "temp_folder.h"

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

void ShowOnTop(HWND window, bool topmost) {
  if (topmost) ShowWindow(window, SW_SHOW);
  SetWindowPos(window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  if (!topmost) return;
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpMessages();
}

COLORREF ColourAt(HWND window, POINT point) {
  ClientToScreen(window, &point);
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, point.x, point.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

std::map<COLORREF, int> ColoursOf(HWND window, const RECT* part) {
  RECT whole;
  GetClientRect(window, &whole);
  const RECT& within = part ? *part : whole;
  const RECT area{0, 0, within.right - within.left, within.bottom - within.top};
  POINT origin{within.left, within.top};
  ClientToScreen(window, &origin);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), area.right, -area.bottom, 1, 32, BI_RGB};
  void* bits = nullptr;
  HBITMAP picture = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, picture);
  BitBlt(memory, 0, 0, area.right, area.bottom, screen, origin.x, origin.y, SRCCOPY);
  GdiFlush();
  std::map<COLORREF, int> counts;
  const auto* pixels = static_cast<const RGBQUAD*>(bits);
  for (LONG i = 0; i < area.right * area.bottom; ++i) {
    ++counts[RGB(pixels[i].rgbRed, pixels[i].rgbGreen, pixels[i].rgbBlue)];
  }
  SelectObject(memory, old);
  DeleteObject(picture);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return counts;
}

}  // namespace testing_support
