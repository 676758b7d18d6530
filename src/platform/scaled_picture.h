// Pictures carried in the program are drawn for 100 %, 125 %, 150 % and
// 200 % display scale, under resource identifiers 0, 10, 20 and 30 above
// the 100 % one. This picks the one to use at a scale and draws it at the
// size that scale asks for.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/display_scale.h"
#include "platform/owned_handles.h"

namespace platform {

struct PictureChoice {
  int idOffset;  // added to the 100 % picture's identifier
  int dpi;       // the dpi the picture was drawn for
};

// The picture drawn for `scale`, else the smallest drawn for a larger one
// (made smaller with a smoothing filter), else the largest.
PictureChoice ChoosePicture(const Scale& scale);

// The size at `scale` of a picture `size` drawn for `choice`.
SIZE SizeAt(const Scale& scale, const PictureChoice& choice, SIZE size);

// Draws `picture` into `target`: as it is when the sizes agree, else scaled
// with a smoothing filter.
void DrawPicture(HDC dc, const RECT& target, HBITMAP picture);

// The width and height of a bitmap; zero when it is none.
SIZE BitmapSize(HBITMAP picture);

// A few pictures of the program (their 100 % resource identifiers), kept
// as drawn for the scale they were last asked at.
class ScaledPictures {
 public:
  using Loader = HBITMAP (*)(HINSTANCE instance, int id);
  ScaledPictures(std::vector<int> ids, Loader load) : ids_(std::move(ids)), load_(load) {}
  ScaledPictures(const ScaledPictures&) = delete;
  ScaledPictures& operator=(const ScaledPictures&) = delete;

  // Picture `index` (in the order of the identifiers) for `scale`; all are
  // loaded from `instance` when the scale asks for others than those held.
  HBITMAP For(HINSTANCE instance, const Scale& scale, size_t index);
  // What the pictures held were drawn for.
  const PictureChoice& choice() const { return choice_; }

 private:
  std::vector<int> ids_;
  Loader load_;
  std::vector<OwnedGdi<HBITMAP>> loaded_;
  PictureChoice choice_{-1, 0};
};

}  // namespace platform
