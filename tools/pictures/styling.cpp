#include "styling.h"

#include <algorithm>

namespace vuzed::pictures {

void Outlined(Canvas& c, const Mask& m, const Paint& fill, const Rgba& outline, float width) {
  if (width > 0) c.Draw(m.Dilated(width), Solid(outline));
  c.Draw(m, fill);
}

void Halo(Canvas& c, const Mask& m, const Rgba& colour, int radius, float gain) {
  c.Glow(m.Dilated(float(radius) / 2).Blurred(std::max(1, radius / 2)), Solid(colour), gain);
}

void Shine(Canvas& c, const Mask& m, float top, float bottom, float strength) {
  c.Draw(m, Linear(0, top, Hex(0xFFFFFF, strength), 0, bottom, Hex(0xFFFFFF, 0)));
}

Mask MaskOf(const Canvas& c, const Sdf& shape) { return Rasterize(c.Width(), c.Height(), shape); }

}  // namespace vuzed::pictures
