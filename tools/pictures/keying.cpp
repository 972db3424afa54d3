#include "keying.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vuzed::pictures {
namespace {

// Margin per channel: a 5-bit store rounds away up to 7 levels.
constexpr int Near = 12;

uint32_t Byte(float v) { return uint32_t(std::clamp(int(std::lround(v * 255.f)), 0, 255)); }

uint32_t Pack(float r, float g, float b) { return Byte(r) << 16 | Byte(g) << 8 | Byte(b); }

}  // namespace

uint32_t AwayFromKey(uint32_t rgb, uint32_t k) {
  const int r = int(rgb >> 16 & 255), g = int(rgb >> 8 & 255), b = int(rgb & 255);
  const int kr = int(k >> 16 & 255), kg = int(k >> 8 & 255), kb = int(k & 255);
  if (std::abs(r - kr) > Near || std::abs(g - kg) > Near || std::abs(b - kb) > Near) return rgb;
  if (k == key::Black) {
    // Brighten, keeping the hue: the darkest allowed is just past the margin.
    const int m = std::max({r, g, b, 1});
    const float s = float(Near + 2) / float(m);
    return Pack(float(std::max(r, 1)) * s / 255.f, float(std::max(g, 1)) * s / 255.f, float(std::max(b, 1)) * s / 255.f);
  }
  if (k == key::White) return uint32_t(std::min(r, 255 - Near - 2)) << 16 | uint32_t(std::min(g, 255 - Near - 2)) << 8 |
                              uint32_t(std::min(b, 255 - Near - 2));
  // Magenta (or any other key): move green off it.
  const int ng = kg < 128 ? kg + Near + 2 : kg - Near - 2;
  return uint32_t(r) << 16 | uint32_t(ng) << 8 | uint32_t(b);
}

Image FlattenSprite(const Canvas& c, uint32_t k, const Rgba& matte, float threshold) {
  Image out(c.Width(), c.Height());
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x) {
      const Rgba& p = c.At(x, y);
      if (p.A < threshold) {
        out.Set(x, y, k);
        continue;
      }
      const float rest = 1 - p.A;
      out.Set(x, y, AwayFromKey(Pack(p.R + matte.R * rest, p.G + matte.G * rest, p.B + matte.B * rest), k));
    }
  return out;
}

Image FlattenLight(const Canvas& c, uint32_t k) {
  Image out(c.Width(), c.Height());
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x) {
      const Rgba& p = c.At(x, y);
      const uint32_t rgb = Pack(p.R, p.G, p.B);
      const uint32_t brightest = std::max({rgb >> 16 & 255, rgb >> 8 & 255, rgb & 255});
      // Light too faint to show when added is left out entirely.
      out.Set(x, y, brightest < 4 ? k : AwayFromKey(rgb, k));
    }
  return out;
}

Image FlattenOpaque(const Canvas& c, const Rgba& bg, uint32_t k) {
  Image out(c.Width(), c.Height());
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x) {
      const Rgba& p = c.At(x, y);
      const float rest = 1 - p.A;
      out.Set(x, y, AwayFromKey(Pack(p.R + bg.R * rest, p.G + bg.G * rest, p.B + bg.B * rest), k));
    }
  return out;
}

}  // namespace vuzed::pictures
