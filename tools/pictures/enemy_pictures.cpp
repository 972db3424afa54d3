// Small enemies (small-enemy table 0-4, white key), drawn centred on the
// enemy over its turning halo: 0 and 1 lantern sprites (blue, red), 2 a
// clockwork drone, 3 a spiked mine, 4 a larger winged sentinel.
#include <cmath>
#include <numbers>

#include "families.h"
#include "palette.h"
#include "styling.h"

namespace vuzed::pictures {
namespace {

constexpr float Pi = std::numbers::pi_v<float>;

// A small winged spirit carrying a light: round body, two pairs of wings.
Canvas Sprite(const Rgba& body, const Rgba& wing) {
  Canvas c(32, 32);
  Mask wings(32, 32);
  for (float s : {-1.f, 1.f}) {
    wings.Union(MaskOf(c, Ellipse(16 + s * 8.5f, 11, 7, 4.2f, s * -30)));
    wings.Union(MaskOf(c, Ellipse(16 + s * 7.5f, 19, 5, 3, s * 25)));
  }
  Outlined(c, wings, Linear(0, 6, palette::White, 0, 22, wing), palette::Outline, 1);
  const Mask dress = MaskOf(c, Polygon({{13, 14}, {9.5f, 26}, {22.5f, 26}, {19, 14}}));
  Outlined(c, dress, Linear(0, 14, Mix(body, palette::White, 0.3f), 0, 26, Scaled(body, 0.7f)), palette::Outline, 1);
  const Mask head = MaskOf(c, Circle(16, 10, 5));
  Outlined(c, head, Radial(15, 9, 6, Hex(0xFFEDE0), Hex(0xF2C4B0)), palette::Outline, 1);
  const Mask hair = MaskOf(c, Intersect(Circle(16, 9.2f, 5.6f), Box(16, 6.5f, 6, 3.2f)));
  c.Draw(hair, Solid(Scaled(body, 0.8f)));
  for (float s : {-1.f, 1.f}) c.Draw(MaskOf(c, Circle(16 + s * 2, 11, 0.9f)), Solid(palette::Outline));
  // The little light it carries.
  const Mask light = MaskOf(c, Circle(16, 27.5f, 2.6f));
  c.Draw(light, Radial(16, 27, 3, palette::White, palette::Gold));
  return c;
}

Canvas Drone() {
  Canvas c(32, 32);
  const Mask rotor = MaskOf(c, Ring(16, 16, 13, 2.4f));
  Outlined(c, rotor, Solid(Hex(0xA08A5A)), palette::Outline, 1);
  for (int k = 0; k < 4; ++k) {
    const float a = float(k) * Pi / 2 + Pi / 4;
    const Mask spoke = MaskOf(c, Capsule(16, 16, 16 + 12 * std::cos(a), 16 + 12 * std::sin(a), 1.3f));
    c.Draw(spoke, Solid(Hex(0x6A5A3A)));
  }
  const Mask hull = MaskOf(c, Circle(16, 16, 8));
  Outlined(c, hull, Radial(13, 13, 11, Hex(0xFFE6A0), Hex(0xB07A2A)), palette::Outline, 1);
  const Mask eye = MaskOf(c, Circle(16, 16, 3.5f));
  c.Draw(eye, Radial(15, 15, 4, palette::White, palette::Rose));
  return c;
}

Canvas Mine() {
  Canvas c(32, 32);
  const Mask spikes = MaskOf(c, Star(16, 16, 14.5f, 8, 8, 0));
  Outlined(c, spikes, Solid(Hex(0x5A4F8C)), palette::Outline, 1);
  const Mask core = MaskOf(c, Circle(16, 16, 9));
  Outlined(c, core, Radial(13, 12, 12, palette::Lavender, Hex(0x3A2A7A)), palette::Outline, 1);
  c.Draw(MaskOf(c, Ring(16, 16, 5.5f, 1.4f)), Solid(palette::Cyan));
  c.Draw(MaskOf(c, Circle(16, 16, 2.5f)), Solid(palette::White));
  return c;
}

Canvas Sentinel() {
  Canvas c(48, 48);
  Mask wings(48, 48);
  for (float s : {-1.f, 1.f})
    wings.Union(MaskOf(c, Polygon({{24 + s * 6, 18}, {24 + s * 23, 8}, {24 + s * 20, 20}, {24 + s * 22, 30}, {24 + s * 6, 28}})));
  Outlined(c, wings, Linear(0, 8, palette::Lavender, 0, 30, palette::Violet), palette::Outline, 1.2f);
  for (float s : {-1.f, 1.f})
    c.Draw(MaskOf(c, Capsule(24 + s * 8, 20, 24 + s * 20, 11, 0.8f)), Solid(palette::Ivory), 0.8f);
  const Mask body = MaskOf(c, Union(Ellipse(24, 24, 8, 13), Polygon({{18, 32}, {24, 46}, {30, 32}})));
  Outlined(c, body, Linear(0, 11, palette::Ivory, 0, 46, Hex(0x8A7AC8)), palette::Outline, 1.2f);
  const Mask eye = MaskOf(c, Ellipse(24, 21, 4.5f, 3));
  c.Draw(eye, Radial(24, 20.5f, 5, palette::White, palette::Gold));
  c.Draw(MaskOf(c, Circle(24, 21, 1.4f)), Solid(palette::Outline));
  c.Draw(MaskOf(c, Star(24, 33, 3.5f, 1.4f, 4)), Solid(palette::Rose));
  return c;
}

}  // namespace

void WriteEnemyPictures(PictureWriter& out) {
  out.Sprite(table::SmallEnemy, 0, Sprite(Hex(0x4D9DFF), Hex(0xA8E8FF)), palette::Outline);
  out.Sprite(table::SmallEnemy, 1, Sprite(Hex(0xFF5A6E), Hex(0xFFC0D0)), palette::Outline);
  out.Sprite(table::SmallEnemy, 2, Drone(), palette::Outline);
  out.Sprite(table::SmallEnemy, 3, Mine(), palette::Outline);
  out.Sprite(table::SmallEnemy, 4, Sentinel(), palette::Outline);
}

}  // namespace vuzed::pictures
