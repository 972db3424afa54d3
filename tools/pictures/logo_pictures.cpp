// The two logos. Other 12 is the game's title logo (black key), drawn on the
// title's main screen at (50, 50); Other 9 is the studio card of the
// opening, drawn without any key while it turns about its vertical centre
// line, so it is a complete card.
#include <cmath>
#include <tuple>

#include "families.h"
#include "noise.h"
#include "palette.h"
#include "styling.h"

namespace vuzed::pictures {
namespace {

Canvas TitleLogo(const TextRenderer& text) {
  constexpr int W = 400, H = 170;
  Canvas c(W, H);
  Mask name(W, H);
  text.Centered(name, "VUZED", 200, 70, 104, true);
  Mask sub(W, H);
  text.Centered(sub, "- Lantern Skies -", 200, 146, 24, true);
  // Sticker layers: a violet band with a dark rim, then the letters.
  Mask band = name.Dilated(6);
  band.Union(sub.Dilated(4));
  c.Draw(band.Dilated(1.5f), Solid(palette::Outline));
  c.Draw(band, Linear(0, 10, palette::Violet, 0, 160, Hex(0x3A2A8C)));
  c.Draw(name.Dilated(2), Solid(palette::Outline));
  c.Draw(name, LinearStops(0, 22, 0, 118, {palette::Ivory, palette::Gold, palette::Amber}));
  // A shine across the upper half of the letters.
  Mask upper = name;
  upper.Intersect(Rasterize(W, H, Box(200, 40, 200, 22)));
  c.Draw(upper, Solid(Hex(0xFFFFFF, 0.35f)));
  c.Draw(sub, Linear(0, 134, palette::White, 0, 156, palette::Cyan));
  // Two small stars beside the name.
  for (auto [x, y, r] : {std::tuple{36.f, 40.f, 12.f}, {368.f, 104.f, 9.f}}) {
    const Mask s = Rasterize(W, H, Star(x, y, r, r * 0.4f, 4, -90));
    c.Draw(s.Dilated(1.5f), Solid(palette::Outline));
    c.Draw(s, Radial(x, y, r, palette::White, palette::Gold));
  }
  return c;
}

Canvas StudioCard(const TextRenderer& text) {
  constexpr int W = 256, H = 128;
  Canvas c(W, H);
  c.Fill([](float x, float y) {
    const float n = Fbm(x / 30.f, y / 30.f, 51u, 3);
    return Mix(Mix(Hex(0x100C2C), Hex(0x2A1F5C), y / 128.f), palette::Violet, 0.15f * n);
  });
  c.Draw(Rasterize(W, H, Subtract(Box(128, 64, 124, 60, 8), Box(128, 64, 121, 57, 6))), Solid(palette::Gold));
  // The emblem: a lantern with a fish-tail flame.
  const Mask glow = SoftRasterize(W, H, Circle(52, 64, 14), 30);
  c.Glow(glow, Solid(palette::Amber), 0.5f);
  const Mask body = Rasterize(W, H, Ellipse(52, 66, 19, 24));
  Outlined(c, body, Radial(46, 58, 30, palette::Ivory, palette::Amber), palette::Outline, 2);
  for (float dx : {-9.f, 0.f, 9.f})
    c.Draw(Rasterize(W, H, Ellipse(52 + dx, 66, 1.2f, 21)), Solid(Hex(0xC0702A)), 0.8f);
  c.Draw(Rasterize(W, H, Box(52, 40, 9, 3, 1)), Solid(palette::Outline));
  c.Draw(Rasterize(W, H, Box(52, 92, 9, 3, 1)), Solid(palette::Outline));
  c.Draw(Rasterize(W, H, Polygon({{52, 95}, {46, 108}, {52, 104}, {58, 108}})), Solid(palette::Rose));
  Mask top(W, H), bottom(W, H);
  text.Draw(top, "LANTERNFISH", 88, 62, 22, true);
  text.Draw(bottom, "WORKS", 88, 90, 20, false);
  Outlined(c, top, Linear(0, 44, palette::Ivory, 0, 64, palette::Gold), palette::Outline, 1.5f);
  c.Draw(bottom, Solid(palette::Lavender));
  return c;
}

}  // namespace

void WriteLogoPictures(PictureWriter& out, const TextRenderer& text) {
  out.Sprite(table::Other, 12, TitleLogo(text), palette::Outline);
  out.Opaque(table::Other, 9, StudioCard(text), Depth::Bits24);
}

}  // namespace vuzed::pictures
