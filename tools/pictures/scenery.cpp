#include "scenery.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "noise.h"
#include "shapes.h"

namespace vuzed::pictures {

void PaintSky(Canvas& c, const SkyColours& s, uint32_t seed) {
  const float h = float(c.Height());
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x) {
      const float t = float(y) / h;
      Rgba col = t < 0.55f ? Mix(s.Top, s.Middle, t / 0.55f) : Mix(s.Middle, s.Horizon, (t - 0.55f) / 0.45f);
      // Long, thin clouds: noise stretched sideways.
      const float n = Fbm(float(x) / 160.f, float(y) / 38.f, seed, 5);
      const float cloud = std::clamp((n - 0.48f) * 3.f, 0.f, 1.f) * s.CloudAmount;
      col = Mix(col, s.Cloud, cloud);
      col.A = 1;
      c.At(x, y) = col;
    }
}

void PaintStars(Canvas& c, int count, float maxY, uint32_t seed, float brightness) {
  const int w = c.Width(), h = c.Height();
  for (int k = 0; k < count; ++k) {
    const float x = Hash01(k, 1, seed) * float(w);
    const float y = std::pow(Hash01(k, 2, seed), 1.5f) * maxY;
    const float size = Hash01(k, 3, seed);
    const float r = 0.45f + size * size * 1.4f;
    const int x0 = int(x) - 6, y0 = int(y) - 6;
    // Small stars paint only their neighbourhood.
    for (int py = std::max(0, y0); py < std::min(h, y0 + 13); ++py)
      for (int px = std::max(0, x0); px < std::min(w, x0 + 13); ++px) {
        const float d = std::hypot(float(px) + 0.5f - x, float(py) + 0.5f - y);
        float v = std::clamp(r + 0.5f - d, 0.f, 1.f);
        if (size > 0.85f) {  // the brightest get a cross of light
          const float dx = std::abs(float(px) + 0.5f - x), dy = std::abs(float(py) + 0.5f - y);
          v = std::max(v, std::clamp(1.f - std::min(dx, dy) * 1.5f, 0.f, 1.f) * std::clamp(1.f - std::max(dx, dy) / 6.f, 0.f, 1.f));
        }
        if (v <= 0) continue;
        const float warm = Hash01(k, 4, seed);
        Rgba& p = c.At(px, py);
        const float a = v * brightness * (0.5f + 0.5f * size);
        p.R = std::min(1.f, p.R + a * (0.85f + 0.15f * warm));
        p.G = std::min(1.f, p.G + a * 0.9f);
        p.B = std::min(1.f, p.B + a * (1.f - 0.2f * warm));
      }
  }
}

void PaintMoon(Canvas& c, float x, float y, float r, const Rgba& light, const Rgba& glow) {
  const Sdf disc = Circle(x, y, r);
  c.Glow(SoftRasterize(c.Width(), c.Height(), disc, r * 2.5f), Solid(glow), 0.35f);
  const Mask m = Rasterize(c.Width(), c.Height(), disc);
  c.Draw(m, [&](float px, float py) {
    const float n = Fbm(px / 14.f, py / 14.f, 9u, 4);
    return Mix(light, Mix(light, glow, 0.5f), std::clamp((n - 0.45f) * 2.f, 0.f, 1.f));
  });
}

void PaintCity(Canvas& c, float base, float height, const Rgba& sil, const Rgba& window, uint32_t seed) {
  const int w = c.Width(), h = c.Height();
  // Buildings: runs of columns with a hashed width and height; some carry a
  // curved pagoda roof.
  std::vector<float> top(size_t(w), base);
  std::vector<int> building(size_t(w), 0);
  int x = 0, index = 0;
  while (x < w) {
    const int bw = 18 + int(Hash01(index, 7, seed) * 46);
    const float bh = height * (0.25f + 0.75f * Hash01(index, 8, seed));
    const bool pagoda = Hash01(index, 9, seed) > 0.45f;
    for (int i = 0; i < bw && x + i < w; ++i) {
      float t = bh;
      if (pagoda) {
        const float u = std::abs((float(i) + 0.5f) / float(bw) * 2.f - 1.f);  // 0 centre, 1 edge
        t = bh + height * 0.16f * (1.f - u * u) - (u > 0.85f ? (u - 0.85f) * 40.f : 0.f);
      }
      top[size_t(x + i)] = base - t;
      building[size_t(x + i)] = index;
    }
    x += bw;
    ++index;
  }
  for (int py = 0; py < h; ++py)
    for (int px = 0; px < w; ++px) {
      const float cov = std::clamp(float(py) + 1.f - top[size_t(px)], 0.f, 1.f);
      if (cov <= 0) continue;
      const float depth = std::clamp((float(py) - top[size_t(px)]) / height, 0.f, 1.f);
      Rgba col = Mix(Scaled(sil, 1.25f), sil, depth);
      // Windows on a grid, lit by hash.
      const int b = building[size_t(px)];
      const int gx = px / 5, gy = int(float(py) - top[size_t(px)]) / 7;
      const bool inWindow = px % 5 >= 2 && int(float(py) - top[size_t(px)]) % 7 >= 3 && gy >= 2;
      if (inWindow && Hash01(gx + b * 131, gy, seed + 3) > 0.78f) col = Mix(col, window, 0.85f);
      col.A = 1;
      Rgba& p = c.At(px, py);
      p = Mix(p, col, cov);
    }
  // A lantern string across the roofs.
  for (int k = 0; k < 2; ++k) {
    const float y0 = base - height * (0.75f + 0.2f * float(k)), sag = 26 + 10 * float(k);
    for (int i = 0; i < 22; ++i) {
      const float lx = (float(i) + 0.5f + 0.5f * float(k)) * float(w) / 22.f;
      const float u = std::fmod(lx, float(w) / 3.f) / (float(w) / 3.f);
      const float ly = y0 + sag * 4 * u * (1 - u);
      const Sdf lantern = Ellipse(lx, ly, 2.6f, 3.4f);
      c.Glow(SoftRasterize(w, h, lantern, 10), Solid(Hex(0xFF9F43)), 0.5f);
      c.Draw(Rasterize(w, h, lantern), Solid(Hex(0xFFD36E)));
    }
  }
}

}  // namespace vuzed::pictures
