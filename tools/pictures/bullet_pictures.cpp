// Bullet pictures (black key). Enemy bullets come in groups of ten numbers,
// one colour per last digit; the shape tells the hit radius the game gives
// the group: 10-19 small round (4), 20-29 rice grains (6), 30-39 round
// (6), 40-49 rings (no radius), 50-59 scales (5), 60-69 tiny (2), 70-79
// knives (4), 80-89 large orbs (8), 90-99 great bubbles (no radius), 100-109
// stars (6), 110-117 laser beam segments. Rotated bullets are drawn turned
// by their flight angle, so every elongated picture points right (angle 0).
// 0 is the player's shot (drawn faint) and 60-67 double as the bomb's shots.
#include <cmath>

#include "families.h"
#include "palette.h"
#include "styling.h"

namespace vuzed::pictures {
namespace {

const Rgba White = palette::White;

// The dark rim a bullet's edge fades into: its own colour, deep.
Rgba Rim(const Rgba& col) { return Scaled(col, 0.22f); }

void Write(PictureWriter& out, int n, const Canvas& c, const Rgba& col) { out.Sprite(table::Bullet, n, c, Rim(col)); }

Canvas Round(const Rgba& col, int size, float outer, float inner) {
  Canvas c(size, size);
  const float m = float(size) / 2;
  c.Draw(MaskOf(c, Circle(m, m, outer)), Radial(m, m, outer, Mix(col, White, 0.3f), col));
  c.Draw(MaskOf(c, Circle(m, m, inner)), Radial(m - inner * 0.3f, m - inner * 0.3f, inner * 1.3f, White, Mix(col, White, 0.6f)));
  return c;
}

Canvas Rice(const Rgba& col) {
  Canvas c(24, 16);
  c.Draw(MaskOf(c, Ellipse(12, 8, 10.5f, 5.5f)), Radial(12, 8, 10, Mix(col, White, 0.2f), col));
  c.Draw(MaskOf(c, Ellipse(12.5f, 8, 6.5f, 2.6f)), Solid(White));
  return c;
}

Canvas RingBullet(const Rgba& col) {
  Canvas c(16, 16);
  c.Draw(MaskOf(c, Ring(8, 8, 5, 3)), Solid(col));
  c.Draw(MaskOf(c, Ring(8, 8, 5, 1)), Solid(Mix(col, White, 0.7f)));
  return c;
}

Canvas Scale(const Rgba& col) {
  Canvas c(20, 20);
  const Mask shard = MaskOf(c, Polygon({{18.5f, 10}, {7, 3.5f}, {1.5f, 10}, {7, 16.5f}}));
  c.Draw(shard, Linear(2, 0, col, 18, 0, Mix(col, White, 0.4f)));
  c.Draw(MaskOf(c, Polygon({{15, 10}, {7.5f, 7}, {5, 10}, {7.5f, 13}})), Solid(White));
  return c;
}

Canvas Knife(const Rgba& col) {
  Canvas c(24, 12);
  const Mask blade = MaskOf(c, Polygon({{23, 6}, {9, 1.8f}, {6, 6}, {9, 10.2f}}));
  c.Draw(blade, Linear(0, 2, White, 0, 10, Mix(col, White, 0.3f)));
  c.Draw(MaskOf(c, Capsule(9.5f, 6, 21, 6, 0.7f)), Solid(col));
  c.Draw(MaskOf(c, Box(4.5f, 6, 3.5f, 1.6f, 1)), Solid(col));
  c.Draw(MaskOf(c, Box(7, 6, 0.9f, 3.6f, 0.5f)), Solid(Mix(col, White, 0.5f)));
  return c;
}

Canvas Orb(const Rgba& col) {
  Canvas c(32, 32);
  c.Draw(MaskOf(c, Circle(16, 16, 14.5f)), Radial(16, 16, 14.5f, col, Mix(col, Hex(0), 0.35f)));
  c.Draw(MaskOf(c, Circle(16, 16, 10)), Radial(14, 13, 11, White, Mix(col, White, 0.55f)));
  c.Draw(MaskOf(c, Ellipse(12.5f, 11, 3.5f, 2.2f, -35)), Solid(White));
  return c;
}

Canvas Bubble(const Rgba& col) {
  Canvas c(64, 64);
  c.Draw(MaskOf(c, Circle(32, 32, 30)), Radial(32, 32, 30, Rim(col), Mix(col, White, 0.2f)));
  c.Draw(MaskOf(c, Ring(32, 32, 27.5f, 3)), Solid(Mix(col, White, 0.5f)));
  c.Draw(MaskOf(c, Ellipse(22, 19, 8, 4.5f, -40)), Solid(Hex(0xFFFFFF, 0.85f)));
  return c;
}

Canvas StarBullet(const Rgba& col) {
  Canvas c(24, 24);
  c.Draw(MaskOf(c, Star(12, 12.5f, 11.5f, 5, 5)), Radial(12, 12, 11, Mix(col, White, 0.3f), col));
  c.Draw(MaskOf(c, Star(12, 12.5f, 6, 2.7f, 5)), Solid(White));
  return c;
}

// One slice of a beam: the picture's height is the beam's width, its
// columns are all alike so segments join seamlessly.
Canvas Laser(const Rgba& col) {
  Canvas c(16, 16);
  for (int y = 0; y < 16; ++y) {
    const float d = std::abs(float(y) + 0.5f - 8.f) / 8.f;
    if (d > 0.9f) continue;
    const Rgba v = d < 0.3f ? Mix(White, Mix(col, White, 0.5f), d / 0.3f) : Mix(Mix(col, White, 0.5f), Rim(col), (d - 0.3f) / 0.6f);
    for (int x = 0; x < 16; ++x) c.At(x, y) = v;
  }
  return c;
}

Canvas PlayerShot() {
  Canvas c(32, 16);
  c.Draw(MaskOf(c, Ellipse(16, 8, 15, 4)), Linear(1, 0, palette::Violet, 31, 0, palette::Cyan));
  c.Draw(MaskOf(c, Ellipse(18, 8, 11, 1.8f)), Solid(White));
  return c;
}

}  // namespace

void WriteBulletPictures(PictureWriter& out) {
  Write(out, 0, PlayerShot(), palette::Violet);
  for (int i = 0; i < 10; ++i) {
    const Rgba& col = palette::Bullet[size_t(i)];
    Write(out, 10 + i, Round(col, 16, 6.5f, 3.5f), col);
    Write(out, 20 + i, Rice(col), col);
    Write(out, 30 + i, Round(col, 24, 10, 6), col);
    Write(out, 40 + i, RingBullet(col), col);
    Write(out, 50 + i, Scale(col), col);
    Write(out, 60 + i, Round(col, 12, 4.8f, 2.6f), col);
    Write(out, 70 + i, Knife(col), col);
    Write(out, 80 + i, Orb(col), col);
    Write(out, 90 + i, Bubble(col), col);
    Write(out, 100 + i, StarBullet(col), col);
    if (i < 8) Write(out, 110 + i, Laser(col), col);
  }
}

}  // namespace vuzed::pictures
