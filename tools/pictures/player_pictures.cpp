// The player's ship (player table 1 level, 2-3 banking right, 4-5 banking
// left) and the hit-point marker (11) shown while moving slowly. The ship is
// drawn centred on its position, nose up; its hit radius is 3 pixels around
// the centre, which the marker shows.
#include <cmath>

#include "families.h"
#include "palette.h"
#include "styling.h"

namespace vuzed::pictures {
namespace {

constexpr int ShipW = 32, ShipH = 48;

// bank: 0 level, 1 and 2 turning right, -1 and -2 turning left. The wing on
// the inside of the turn dips and looks shorter; the whole ship shifts a
// little towards the turn.
Canvas Ship(int bank) {
  Canvas c(ShipW, ShipH);
  const float shift = 0.8f * float(bank);
  const float cx = 16 + shift;
  const float right = 1.f - 0.16f * float(std::max(bank, 0)) + 0.05f * float(std::max(-bank, 0));
  const float left = 1.f - 0.16f * float(std::max(-bank, 0)) + 0.05f * float(std::max(bank, 0));

  auto wing = [&](float side, float scale) {
    return Polygon({{cx + side * 2.5f, 19}, {cx + side * 14.5f * scale, 33}, {cx + side * 14.f * scale, 38},
                    {cx + side * 8.f * scale, 36}, {cx + side * 2.5f, 34}});
  };
  const Mask rightWing = MaskOf(c, wing(1, right));
  const Mask leftWing = MaskOf(c, wing(-1, left));
  const Mask fins = MaskOf(c, Union(Polygon({{cx - 2, 36}, {cx - 7 * left, 44}, {cx - 2, 42}}),
                                    Polygon({{cx + 2, 36}, {cx + 7 * right, 44}, {cx + 2, 42}})));
  const Mask body = MaskOf(c, Union(Ellipse(cx, 25, 4.6f, 17), Box(cx, 38, 3.2f, 5, 1.5f)));
  const Mask cockpit = MaskOf(c, Ellipse(cx, 19, 2.3f, 4.2f));

  Mask all = rightWing;
  all.Union(leftWing).Union(fins).Union(body);
  c.Draw(all.Dilated(1), Solid(palette::Outline));

  // Wings: violet into cyan tips; the lowered wing is in shadow.
  auto wingPaint = [&](float side, float lit) {
    return Linear(cx, 24, Scaled(palette::Violet, lit), cx + side * 15, 36, Scaled(palette::Cyan, lit));
  };
  c.Draw(rightWing, wingPaint(1, bank > 0 ? 0.72f : 1.f));
  c.Draw(leftWing, wingPaint(-1, bank < 0 ? 0.72f : 1.f));
  c.Draw(fins, Solid(palette::Lavender));
  c.Draw(body, Linear(cx - 5, 0, palette::Ivory, cx + 5, 0, Hex(0xA99CD8)));
  Shine(c, body, 8, 30, 0.35f);
  // A gold stripe down the spine and the cockpit glass.
  c.Draw(MaskOf(c, Capsule(cx, 27, cx, 40, 0.9f)), Solid(palette::Gold));
  c.Draw(cockpit, Radial(cx - 0.8f, 17.5f, 4.5f, Hex(0xE6FFFF), Hex(0x2A7FC0)));
  // Engine flame under the tail.
  const Mask flame = MaskOf(c, Ellipse(cx, 44.5f, 2.4f, 3.2f));
  c.Draw(flame, Linear(0, 42, palette::White, 0, 48, palette::Amber));
  return c;
}

Canvas HitMarker() {
  Canvas c(16, 16);
  const Mask ring = MaskOf(c, Ring(8, 8, 5.5f, 1.6f));
  const Mask core = MaskOf(c, Circle(8, 8, 3));
  c.Draw(ring.Dilated(1), Solid(palette::Outline));
  c.Draw(core.Dilated(1), Solid(palette::Outline));
  c.Draw(ring, Solid(palette::White));
  c.Draw(core, Radial(7.5f, 7.5f, 3.5f, palette::White, palette::Rose));
  return c;
}

}  // namespace

void WritePlayerPictures(PictureWriter& out) {
  constexpr int Banks[][2] = {{1, 0}, {2, 1}, {3, 2}, {4, -1}, {5, -2}};
  for (const auto& [number, bank] : Banks) out.Sprite(table::Player, number, Ship(bank), palette::Outline);
  out.Sprite(table::Player, 11, HitMarker(), palette::Outline);
}

}  // namespace vuzed::pictures
