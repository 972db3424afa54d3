// Effect pictures (magenta key), all drawn additively: black adds nothing, so
// they are light on black, and where there is no light at all the key.
// 1 the explosion sheet: 8 columns by 2 rows of cells, played left to right,
// top row first, each cell shown three frames on a 48 x 48 quad. 5 the
// familiar (turning, at alpha 0x88), 6 and 7 other familiar looks for scripts,
// 10 the halo turning under every enemy and boss (alpha 0x88).
#include <cmath>
#include <numbers>

#include "families.h"
#include "noise.h"
#include "palette.h"
#include "styling.h"

namespace vuzed::pictures {
namespace {

constexpr float Pi = std::numbers::pi_v<float>;
constexpr int Cell = 64;

// Cell f of 16: a white-hot core swelling into a gold fireball with a
// shock ring and sparks, cooling to rose embers.
void ExplosionCell(Canvas& sheet, int f) {
  Canvas c(Cell, Cell);
  const float t = float(f) / 15.f;
  const float m = Cell / 2.f;
  const float fade = std::pow(1.f - 0.92f * t, 1.3f);
  const float r = 5 + 20 * std::sqrt(t);
  const Rgba hot = Mix(palette::White, palette::Gold, std::min(1.f, t * 2));
  const Rgba cool = Mix(palette::Amber, palette::Rose, t);
  // Fireball: soft disc, its edge broken by noise.
  Mask ball(Cell, Cell);
  for (int y = 0; y < Cell; ++y)
    for (int x = 0; x < Cell; ++x) {
      const float dx = float(x) + 0.5f - m, dy = float(y) + 0.5f - m;
      const float d = std::hypot(dx, dy);
      const float n = Fbm(float(x) / 9.f, float(y) / 9.f, 77u + uint32_t(f), 3);
      const float edge = r * (0.75f + 0.5f * n);
      ball(x, y) = std::clamp(1.f - d / edge, 0.f, 1.f);
    }
  c.Glow(ball, Radial(m, m, r * 1.1f, hot, cool), 2.2f * fade);
  // Shock ring.
  const float ringR = 6 + 24 * t;
  c.Glow(Rasterize(Cell, Cell, Ring(m, m, ringR, 2.5f + 3 * t)).Blurred(1), Solid(Mix(palette::Gold, palette::Rose, t)),
         0.9f * fade);
  // Sparks flying out along fixed directions.
  for (int k = 0; k < 9; ++k) {
    const float a = 2 * Pi * (float(k) + Hash01(k, 3, 11u)) / 9.f;
    const float d0 = 4 + 26 * t * (0.7f + 0.5f * Hash01(k, 5, 13u)), d1 = d0 + 5 * (1 - t) + 2;
    const Mask spark = Rasterize(Cell, Cell, Capsule(m + d0 * std::cos(a), m + d0 * std::sin(a), m + d1 * std::cos(a),
                                                     m + d1 * std::sin(a), 0.9f));
    c.Glow(spark, Solid(palette::Ivory), fade);
  }
  sheet.Stamp(c, (f % 8) * Cell, (f / 8) * Cell);
}

Canvas Halo() {
  Canvas c(64, 64);
  c.Glow(SoftRasterize(64, 64, Circle(32, 32, 6), 26), Solid(palette::Violet), 0.55f);
  c.Glow(Rasterize(64, 64, Ring(32, 32, 26, 1.4f)), Solid(palette::Lavender), 0.9f);
  c.Glow(Rasterize(64, 64, Ring(32, 32, 21, 0.9f)), Solid(palette::Rose), 0.7f);
  // Eight petals between the rings, and marks on the outer ring.
  for (int k = 0; k < 8; ++k) {
    const float a = float(k) * Pi / 4;
    c.Glow(Rasterize(64, 64, Ellipse(32 + 15 * std::cos(a), 32 + 15 * std::sin(a), 5.5f, 2, float(k) * 45)),
           Solid(palette::Rose), 0.6f);
    const float b = a + Pi / 8;
    c.Glow(Rasterize(64, 64, Circle(32 + 26 * std::cos(b), 32 + 26 * std::sin(b), 2)), Solid(palette::Gold), 0.9f);
  }
  return c;
}

// A rune circle: two rings and a star of lines (points = 6 or 5).
Canvas RuneCircle(const Rgba& line, const Rgba& glow, int points) {
  Canvas c(48, 48);
  c.Glow(SoftRasterize(48, 48, Circle(24, 24, 4), 18), Solid(glow), 0.45f);
  c.Glow(Rasterize(48, 48, Ring(24, 24, 21, 1.3f)), Solid(line), 1);
  c.Glow(Rasterize(48, 48, Ring(24, 24, 17, 0.9f)), Solid(line), 0.8f);
  const int step = points == 6 ? 2 : 2;
  for (int k = 0; k < points; ++k) {
    const float a0 = 2 * Pi * float(k) / float(points) - Pi / 2;
    const float a1 = 2 * Pi * float(k + step) / float(points) - Pi / 2;
    c.Glow(Rasterize(48, 48, Capsule(24 + 17 * std::cos(a0), 24 + 17 * std::sin(a0), 24 + 17 * std::cos(a1),
                                     24 + 17 * std::sin(a1), 0.6f)),
           Solid(line), 0.9f);
    c.Glow(Rasterize(48, 48, Circle(24 + 21 * std::cos(a0), 24 + 21 * std::sin(a0), 1.8f)), Solid(palette::White), 0.9f);
  }
  return c;
}

Canvas Flower() {
  Canvas c(48, 48);
  for (int k = 0; k < 6; ++k) {
    const float a = float(k) * Pi / 3;
    c.Glow(Rasterize(48, 48, Ellipse(24 + 11 * std::cos(a), 24 + 11 * std::sin(a), 9, 4.5f, float(k) * 60)),
           Radial(24, 24, 22, palette::Ivory, palette::Rose), 0.7f);
  }
  c.Glow(SoftRasterize(48, 48, Circle(24, 24, 3), 8), Solid(palette::Gold), 1);
  return c;
}

}  // namespace

void WriteEffectPictures(PictureWriter& out) {
  Canvas sheet(8 * Cell, 2 * Cell);
  for (int f = 0; f < 16; ++f) ExplosionCell(sheet, f);
  out.Light(table::Effect, 1, sheet);
  out.Light(table::Effect, 5, RuneCircle(palette::Lavender, palette::Violet, 6));
  out.Light(table::Effect, 6, RuneCircle(palette::Cyan, Hex(0x2A6FB0), 5));
  out.Light(table::Effect, 7, Flower());
  out.Light(table::Effect, 10, Halo());
}

}  // namespace vuzed::pictures
