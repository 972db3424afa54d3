#include "engine/graphics/sprite.h"

#include <cmath>
#include <numbers>

namespace vuzed {

std::array<TCornerOffset, 4> RotateQuad(float width, float height, float angleDeg) {
  const double hw = double(width) / 2;
  const double hh = double(height) / 2;
  const double theta = double(angleDeg) * (std::numbers::pi / 180.0);
  const double c = std::cos(theta);
  const double s = std::sin(theta);
  constexpr double kSigns[4][2] = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
  std::array<TCornerOffset, 4> corners;
  for (int k = 0; k < 4; ++k) {
    const double x = kSigns[k][0] * hw;
    const double y = kSigns[k][1] * hh;
    corners[k].X = float(x * c - y * s);
    corners[k].Y = float(x * s + y * c);
  }
  return corners;
}

std::array<TSpriteVertex, 4> CentredQuad(float width, float height, float angleDeg, uint32_t color, float u0, float v0,
                                         float u1, float v1) {
  const auto c = RotateQuad(width, height, angleDeg);
  return {MakeSpriteVertex(color, c[0].X, c[0].Y, u0, v0), MakeSpriteVertex(color, c[1].X, c[1].Y, u1, v0),
          MakeSpriteVertex(color, c[2].X, c[2].Y, u0, v1), MakeSpriteVertex(color, c[3].X, c[3].Y, u1, v1)};
}

}  // namespace vuzed
