// The status display beside the playfield (else table, magenta key):
// 0-9 digits (numbers are drawn digit by digit 20 pixels apart at scale 1,
// so each digit is 20 wide), 25 the frame drawn over the whole screen with
// the playfield (30, 15)-(430, 465) left transparent, 29 one hit point (a
// bar drawn 5 pixels high, 50 pixels apart), 30 the boss gauge (stretched to
// up to 350 x 2), 31 a life, 32 a bomb, 39-44 row labels (graze, player,
// bomb, score, hi-score, time) at x 430, and 21 the power item.
#include <cmath>
#include <string>

#include "families.h"
#include "noise.h"
#include "palette.h"
#include "styling.h"

namespace vuzed::pictures {
namespace {

Canvas Digit(const TextRenderer& text, int d) {
  Canvas c(20, 24);
  Mask m(20, 24);
  text.Centered(m, std::to_string(d), 10, 12.5f, 23, true);
  Outlined(c, m, Linear(0, 3, palette::White, 0, 21, palette::Lavender), palette::Outline, 1.5f);
  return c;
}

Canvas Label(const TextRenderer& text, const char* words) {
  Canvas c(64, 16);
  Mask m(64, 16);
  text.Draw(m, words, 2, 12.5f, 13, true);
  Outlined(c, m, Linear(0, 2, palette::Ivory, 0, 14, palette::Gold), palette::Outline, 1.2f);
  return c;
}

Canvas HitPoint() {
  Canvas c(45, 8);
  const Mask bar = MaskOf(c, Box(22.5f, 4, 21.5f, 3, 2.5f));
  Outlined(c, bar, Linear(0, 1, Hex(0xB8FFD8), 0, 7, Hex(0x2FB070)), palette::Outline, 1);
  Shine(c, bar, 1, 4, 0.5f);
  return c;
}

Canvas BossGauge() {
  Canvas c(32, 4);
  c.Fill(Linear(0, 0, palette::Rose, 32, 0, palette::Gold));
  for (int x = 0; x < 32; ++x) c.At(x, 0) = Hex(0xFFF0F4);  // lit top edge
  return c;
}

Canvas LifeIcon() {
  Canvas c(16, 16);
  const Mask star = MaskOf(c, Star(8, 8.6f, 7.5f, 3.3f, 5));
  Outlined(c, star, Radial(7, 6, 9, palette::White, palette::Rose), palette::Outline, 1);
  return c;
}

Canvas BombIcon() {
  Canvas c(16, 16);
  const Mask orb = MaskOf(c, Circle(8, 8.5f, 6));
  const Mask spark = MaskOf(c, Star(8, 8.5f, 3.5f, 1.4f, 4, -90));
  Outlined(c, orb, Radial(6.5f, 6.5f, 8, palette::Lavender, palette::Violet), palette::Outline, 1);
  c.Draw(spark, Solid(palette::Gold));
  return c;
}

Canvas PowerItem(const TextRenderer& text) {
  Canvas c(16, 16);
  const Mask box = MaskOf(c, Box(8, 8, 6.5f, 6.5f, 2));
  Outlined(c, box, Linear(0, 2, Hex(0xFF8A8A), 0, 14, Hex(0xC02040)), palette::Outline, 1);
  Mask p(16, 16);
  text.Centered(p, "P", 8, 8, 11, true);
  c.Draw(p, Solid(palette::White));
  return c;
}

// The screen frame: deep indigo with a faint sky texture, a gold double rule
// round the playfield, a panel behind the rows of the status display and the
// game's name in the lower right corner.
Canvas Frame(const TextRenderer& text) {
  constexpr int W = 640, H = 480;
  Canvas c(W, H);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const float n = Fbm(float(x) / 40.f, float(y) / 40.f, 5u, 4);
      const float swirl = 0.5f + 0.5f * std::sin(float(x) / 23.f + float(y) / 37.f + n * 6);
      const Rgba base = Mix(palette::Night, palette::Dusk, 0.25f + 0.5f * n * (0.6f + 0.4f * swirl));
      c.At(x, y) = base;
    }
  // Scattered small stars.
  for (int k = 0; k < 160; ++k) {
    const float x = Hash01(k, 1, 21u) * W, y = Hash01(k, 2, 21u) * H;
    if (x > 22 && x < 438 && y > 7 && y < 473) continue;
    const float r = 0.5f + Hash01(k, 3, 21u) * 0.9f;
    c.Glow(Rasterize(W, H, Circle(x, y, r)), Solid(Mix(palette::Ivory, palette::Cyan, Hash01(k, 4, 21u))), 0.8f);
  }
  // Status panel.
  const Mask panel = Rasterize(W, H, Box(535, 122, 98, 106, 8));
  c.Draw(panel, Linear(0, 16, Hex(0x0A0820, 0.85f), 0, 228, Hex(0x1C1545, 0.85f)));
  c.Draw(Rasterize(W, H, Subtract(Box(535, 122, 98, 106, 8), Box(535, 122, 97, 105, 7))), Solid(palette::Gold), 0.8f);
  // Rules between status rows.
  for (float y : {82.f, 112.f, 162.f, 192.f})
    c.Draw(Rasterize(W, H, Capsule(446, y, 624, y, 0.5f)), Solid(palette::Lavender), 0.35f);
  // Gold double rule round the playfield.
  const Sdf outer = Box(230, 240, 206, 231, 3);
  c.Draw(Rasterize(W, H, Subtract(outer, Box(230, 240, 204, 229, 2))), Linear(0, 0, palette::Gold, 0, 480, palette::Amber));
  c.Draw(Rasterize(W, H, Subtract(Box(230, 240, 202.5f, 227.5f, 1), Box(230, 240, 201.5f, 226.5f, 0))),
         Solid(palette::Lavender), 0.8f);
  // Corner ornaments: small diamonds.
  for (auto [x, y] : {std::pair{24.f, 9.f}, {436.f, 9.f}, {24.f, 471.f}, {436.f, 471.f}}) {
    const Mask d = Rasterize(W, H, Box(x, y, 4.5f, 4.5f, 0.5f, 45));
    Outlined(c, d, Solid(palette::Gold), palette::Outline, 1);
  }
  // The game's name.
  Mask name(W, H);
  text.Centered(name, "VUZED", 535, 402, 44, true);
  c.Glow(name.Dilated(3).Blurred(3), Solid(palette::Violet), 0.9f);
  Outlined(c, name, Linear(0, 384, palette::Ivory, 0, 420, palette::Gold), palette::Outline, 2);
  Mask sub(W, H);
  text.Centered(sub, "Lantern Skies", 535, 440, 15, false);
  c.Draw(sub, Solid(palette::Lavender));
  // A lantern-moon above the name.
  const Mask moon = Rasterize(W, H, Subtract(Circle(535, 320, 26), Circle(546, 313, 23)));
  c.Glow(moon.Dilated(4).Blurred(4), Solid(palette::Amber), 0.6f);
  c.Draw(moon, Radial(525, 318, 30, palette::Ivory, palette::Gold));
  // The playfield itself is left empty (the key colour).
  Mask hole = Rasterize(W, H, Box(230, 240, 200, 225));
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x)
      if (hole.At(x, y) > 0.5f) c.At(x, y) = Rgba{0, 0, 0, 0};
  return c;
}

}  // namespace

void WriteHudPictures(PictureWriter& out, const TextRenderer& text) {
  for (int d = 0; d <= 9; ++d) out.Sprite(table::Else, d, Digit(text, d), palette::Outline);
  out.Sprite(table::Else, 21, PowerItem(text), palette::Outline);
  out.Sprite(table::Else, 25, Frame(text), palette::Outline, Depth::Bits16);
  out.Sprite(table::Else, 29, HitPoint(), palette::Outline);
  out.Sprite(table::Else, 30, BossGauge(), palette::Outline);
  out.Sprite(table::Else, 31, LifeIcon(), palette::Outline);
  out.Sprite(table::Else, 32, BombIcon(), palette::Outline);
  constexpr std::pair<int, const char*> Labels[] = {{39, "Graze"}, {40, "Player"}, {41, "Bomb"},
                                                    {42, "Score"}, {43, "HiScore"}, {44, "Time"}};
  for (const auto& [n, words] : Labels) out.Sprite(table::Else, n, Label(text, words), palette::Outline);
}

}  // namespace vuzed::pictures
