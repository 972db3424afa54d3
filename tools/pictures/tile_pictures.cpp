// Seamless tiles of the back table (512 x 512, 8-bit palette pictures).
// Background layers repeat a picture round a scrolling point and draw it in
// a 3 x 3 block of copies, which covers the screen only for pictures at least
// 480 high and 427 wide; 512 x 512 covers it in every position. Each tile
// is one value per pixel (0..1, periodic over the tile) read through a
// 256-colour ramp, so the palette loses nothing.
// Stage backgrounds: 2 dusk clouds, 3 forest canopy, 4 water light, 5
// nebula, 6 crystal cave, 7 sea of clouds at sunset. Spell-card backgrounds:
// 40 hex lattice, 41 petal storm, 42 kaleidoscope, 43 ripples, 44 star grid,
// 45 flames, 46 ice, 47 rune circles.
#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

#include "families.h"
#include "keying.h"
#include "noise.h"

namespace vuzed::pictures {
namespace {

constexpr int N = 512;
constexpr float Tau = 2 * std::numbers::pi_v<float>;

using Field = std::function<float(float u, float v)>;

float Fract(float v) { return v - std::floor(v); }

// Periodic noise over the tile with `freq` lattice cells per side.
float PNoise(float u, float v, uint32_t seed, int freq, int octaves) {
  return Fbm(u * float(freq), v * float(freq), seed, octaves, freq);
}

// Distances to the nearest and second-nearest of n x n jittered points,
// wrapping at the tile's edges; in cell units.
std::pair<float, float> Voronoi(float u, float v, int n, uint32_t seed) {
  const float x = u * float(n), y = v * float(n);
  const int cx = int(std::floor(x)), cy = int(std::floor(y));
  float d1 = 9, d2 = 9;
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) {
      const int gx = cx + dx, gy = cy + dy;
      const int wx = ((gx % n) + n) % n, wy = ((gy % n) + n) % n;
      const float px = float(gx) + 0.15f + 0.7f * Hash01(wx, wy, seed);
      const float py = float(gy) + 0.15f + 0.7f * Hash01(wx, wy, seed + 1);
      const float d = std::hypot(x - px, y - py);
      if (d < d1) {
        d2 = d1;
        d1 = d;
      } else {
        d2 = std::min(d2, d);
      }
    }
  return {d1, d2};
}

// Distance from the centre of the nearest cell of an n x n grid, in cell units.
float CellDistance(float u, float v, int n) {
  return std::hypot(Fract(u * float(n)) - 0.5f, Fract(v * float(n)) - 0.5f);
}

IndexedImage Tile(const Field& field, const std::vector<uint32_t>& ramp) {
  IndexedImage image(N, N);
  for (int i = 0; i < 256; ++i) {
    const float f = float(i) / 255.f * float(ramp.size() - 1);
    const size_t k = std::min(size_t(f), ramp.size() - 2);
    const float t = f - float(k);
    uint32_t rgb = 0;
    for (int s = 16; s >= 0; s -= 8) {
      const float a = float(ramp[k] >> s & 255), b = float(ramp[k + 1] >> s & 255);
      rgb |= uint32_t(std::lround(a + (b - a) * t)) << s;
    }
    image.Palette[size_t(i)] = AwayFromKey(rgb, key::Magenta);
  }
  for (int y = 0; y < N; ++y)
    for (int x = 0; x < N; ++x) {
      const float f = std::clamp(field((float(x) + 0.5f) / N, (float(y) + 0.5f) / N), 0.f, 1.f);
      image.Index[size_t(y) * N + size_t(x)] = uint8_t(std::lround(f * 255.f));
    }
  return image;
}

float Smooth01(float e0, float e1, float x) {
  const float t = std::clamp((x - e0) / (e1 - e0), 0.f, 1.f);
  return t * t * (3 - 2 * t);
}

}  // namespace

void WriteTiles(PictureWriter& out) {
  const auto put = [&](int n, const Field& f, const std::vector<uint32_t>& ramp) { out.Indexed(table::Back, n, Tile(f, ramp)); };

  put(2, [](float u, float v) { return PNoise(u, v, 101u, 4, 6); },
      {0x0E0B26, 0x2A1F5C, 0x6B4FC8, 0xC86AA0, 0xFFB37A, 0xFFE6B0});
  put(3, [](float u, float v) {
        const auto [d1, d2] = Voronoi(u, v, 10, 102u);
        return 0.65f * Smooth01(0.f, 0.6f, d2 - d1) + 0.35f * PNoise(u, v, 103u, 8, 4);
      },
      {0x06140E, 0x0F3A2A, 0x1E6B48, 0x4FAE6E, 0xB8F0A0});
  put(4, [](float u, float v) {
        const float w = PNoise(u, v, 104u, 4, 3) * 2;
        const float a = std::sin(Tau * (3 * u + 2 * v) + w * 3) + std::sin(Tau * (-2 * u + 4 * v) + w * 2);
        return std::pow(1 - std::abs(a) / 2, 3.f);
      },
      {0x061030, 0x0E3468, 0x1E78B0, 0x6EE7FF, 0xE8FFFF});
  put(5, [](float u, float v) {
        const float n = PNoise(u, v, 105u, 3, 6);
        const float star = Hash01(int(u * N), int(v * N), 106u) > 0.996f ? 1.f : 0.f;
        return std::max(std::pow(n, 2.2f) * 1.4f, star);
      },
      {0x03030C, 0x1A0F3C, 0x5A2A7A, 0xC85AA0, 0xFFE0F0, 0xFFFFFF});
  put(6, [](float u, float v) {
        const auto [d1, d2] = Voronoi(u, v, 6, 107u);
        return 1 - Smooth01(0.f, 0.25f, d2 - d1) * 0.8f - 0.2f * d1;
      },
      {0x081020, 0x163A5A, 0x3A7AA0, 0xB9A6FF, 0xF0F4FF});
  put(7, [](float u, float v) {
        const float n = PNoise(u, v + 0.1f * PNoise(u, v, 108u, 2, 2), 109u, 3, 6);
        return Smooth01(0.3f, 0.75f, n);
      },
      {0x2A1F5C, 0x8A3A6A, 0xFF7A5A, 0xFFB86E, 0xFFF0D0});

  put(40, [](float u, float v) {
        // Hexagonal cells: distance to the nearest of two offset lattices.
        const float x = u * 8, y = v * 8 * 0.8660254f * 2 / 1.7320508f;
        const float ax = Fract(x) - 0.5f, ay = Fract(y) - 0.5f;
        const float bx = Fract(x + 0.5f) - 0.5f, by = Fract(y + 0.5f) - 0.5f;
        const float d = std::min(std::hypot(ax, ay * 1.7320508f), std::hypot(bx, by * 1.7320508f));
        return std::pow(Smooth01(0.3f, 0.5f, d), 2.f) * 0.9f + 0.1f * PNoise(u, v, 110u, 4, 3);
      },
      {0x0C0A24, 0x2A1F5C, 0x6B4FC8, 0xE0D0FF});
  put(41, [](float u, float v) {
        float best = 0;
        for (int k = 0; k < 2; ++k) {
          const float su = Fract(u * 4 + 0.5f * float(k)), sv = Fract(v * 4 + 0.5f * float(k));
          const float dx = su - 0.5f, dy = sv - 0.5f;
          const float r = std::hypot(dx, dy), a = std::atan2(dy, dx) + float(k);
          const float petal = std::pow(std::abs(std::cos(a * 2.5f)), 2.f) * 0.42f;
          best = std::max(best, Smooth01(petal, petal - 0.08f, r) * (1 - r));
        }
        return 0.15f + 0.85f * best;
      },
      {0x1A0820, 0x5A1A4A, 0xFF6E9C, 0xFFD0E0, 0xFFFFFF});
  put(42, [](float u, float v) {
        const float a = std::sin(Tau * 4 * u) * std::sin(Tau * 4 * v);
        const float b = std::cos(Tau * (2 * u + 2 * v)) * std::cos(Tau * (2 * u - 2 * v));
        return 0.5f + 0.3f * a + 0.2f * b;
      },
      {0x0E0B26, 0x3A2A8C, 0xFFD36E, 0x3A2A8C, 0x0E0B26});
  put(43, [](float u, float v) {
        const float d = CellDistance(u, v, 2);
        return 0.5f + 0.5f * std::sin(d * Tau * 7 - PNoise(u, v, 111u, 4, 2) * 4);
      },
      {0x061030, 0x1E4FA0, 0x6EE7FF, 0xFFFFFF});
  put(44, [](float u, float v) {
        const float su = Fract(u * 6) - 0.5f, sv = Fract(v * 6) - 0.5f;
        const float cross = std::max(0.f, 1 - std::abs(su * sv) * 300) * std::max(0.f, 1 - std::hypot(su, sv) * 2.4f);
        const float core = std::max(0.f, 1 - std::hypot(su, sv) * 9);
        return std::min(1.f, 0.18f * PNoise(u, v, 112u, 4, 4) + 0.8f * cross + core);
      },
      {0x040818, 0x14245A, 0x4D7DFF, 0xB0D0FF, 0xFFFFFF});
  put(45, [](float u, float v) {
        const float n = PNoise(u, v * 2, 113u, 4, 5);
        const float rise = 0.5f + 0.5f * std::sin(Tau * (v * 3 + n * 1.5f));
        return Smooth01(0.2f, 0.9f, n * 0.7f + rise * 0.4f);
      },
      {0x1A0406, 0x6A1008, 0xE0401A, 0xFF9F43, 0xFFE890});
  put(46, [](float u, float v) {
        const auto [d1, d2] = Voronoi(u, v, 8, 114u);
        const float edge = 1 - Smooth01(0.f, 0.08f, d2 - d1);
        return std::clamp(0.35f * (1 - d1) + 0.75f * edge, 0.f, 1.f);
      },
      {0x061428, 0x14466E, 0x6EB8E0, 0xE8FFFF});
  put(47, [](float u, float v) {
        const float d = CellDistance(u, v, 4);
        const float rings = std::max({Smooth01(0.02f, 0.f, std::abs(d - 0.42f)), Smooth01(0.015f, 0.f, std::abs(d - 0.34f)),
                                      Smooth01(0.012f, 0.f, std::abs(d - 0.12f))});
        const float su = Fract(u * 4) - 0.5f, sv = Fract(v * 4) - 0.5f;
        const float a = std::atan2(sv, su);
        const float spokes = d < 0.34f && d > 0.12f ? Smooth01(0.93f, 1.f, std::abs(std::cos(a * 3))) : 0.f;
        return std::min(1.f, 0.12f + 0.1f * PNoise(u, v, 115u, 4, 3) + rings + spokes * 0.7f);
      },
      {0x0E0820, 0x3A1A5C, 0xA15CFF, 0xFFD36E});
}

}  // namespace vuzed::pictures
