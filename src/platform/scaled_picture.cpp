#include "platform/scaled_picture.h"

#include <iterator>
#include <utility>

namespace platform {
namespace {

constexpr PictureChoice kDrawn[] = {{0, 96}, {10, 120}, {20, 144}, {30, 192}};

}  // namespace

PictureChoice ChoosePicture(const Scale& scale) {
  for (const PictureChoice& drawn : kDrawn) {
    if (drawn.dpi >= scale.dpi) return drawn;
  }
  return kDrawn[std::size(kDrawn) - 1];
}

SIZE SizeAt(const Scale& scale, const PictureChoice& choice, SIZE size) {
  return {MulDiv(size.cx, scale.dpi, choice.dpi), MulDiv(size.cy, scale.dpi, choice.dpi)};
}

SIZE BitmapSize(HBITMAP picture) {
  BITMAP bitmap{};
  if (!picture || !GetObjectW(picture, sizeof(bitmap), &bitmap)) return {0, 0};
  return {bitmap.bmWidth, bitmap.bmHeight};
}

void DrawPicture(HDC dc, const RECT& target, HBITMAP picture) {
  const SIZE size = BitmapSize(picture);
  if (size.cx == 0 || size.cy == 0) return;
  const OwnedDc ownedDc(CreateCompatibleDC(dc));
  HDC pictureDc = ownedDc.get();
  HGDIOBJ old = SelectObject(pictureDc, picture);
  const int width = target.right - target.left, height = target.bottom - target.top;
  if (width == size.cx && height == size.cy) {
    BitBlt(dc, target.left, target.top, width, height, pictureDc, 0, 0, SRCCOPY);
  } else {
    const int oldMode = SetStretchBltMode(dc, HALFTONE);
    POINT oldOrigin{};
    SetBrushOrgEx(dc, 0, 0, &oldOrigin);
    StretchBlt(dc, target.left, target.top, width, height, pictureDc, 0, 0, size.cx, size.cy, SRCCOPY);
    SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    SetStretchBltMode(dc, oldMode);
  }
  SelectObject(pictureDc, old);
}

HBITMAP ScaledPictures::For(HINSTANCE instance, const Scale& scale, size_t index) {
  const PictureChoice wanted = ChoosePicture(scale);
  if (wanted.idOffset != choice_.idOffset || loaded_.empty()) {
    loaded_.clear();
    for (int id : ids_) loaded_.emplace_back(load_(instance, id + wanted.idOffset));
    choice_ = wanted;
  }
  return index < loaded_.size() ? loaded_[index].get() : nullptr;
}

}  // namespace platform
