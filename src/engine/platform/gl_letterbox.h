#pragma once
// Where the back buffer goes in a window of another size: the largest
// rectangle of the back buffer's shape that fits, centred, with black bars
// on the two remaining sides.

#include <algorithm>
#include <cstdint>

namespace vuzed {

struct PixelRect {
  int X = 0, Y = 0, Width = 0, Height = 0;
  constexpr bool operator==(const PixelRect&) const = default;
};

// Sizes that are zero or negative give an empty rectangle.
constexpr PixelRect FitLetterbox(int sourceWidth, int sourceHeight, int windowWidth,
                                 int windowHeight) {
  if (sourceWidth <= 0 || sourceHeight <= 0 || windowWidth <= 0 || windowHeight <= 0) return {};
  const int64_t sw = sourceWidth, sh = sourceHeight, ww = windowWidth, wh = windowHeight;
  PixelRect r;
  if (ww * sh <= wh * sw) {  // width-bound: bars above and below
    r.Width = windowWidth;
    r.Height = int(std::max<int64_t>(1, (ww * sh + sw / 2) / sw));
  } else {  // height-bound: bars left and right
    r.Height = windowHeight;
    r.Width = int(std::max<int64_t>(1, (wh * sw + sh / 2) / sh));
  }
  r.X = (windowWidth - r.Width) / 2;
  r.Y = (windowHeight - r.Height) / 2;
  return r;
}

}  // namespace vuzed
