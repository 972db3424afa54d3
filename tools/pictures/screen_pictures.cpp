// Full-screen backgrounds of the back table (640 x 480, no transparency):
// 0 the title screen (night over the floating city; the logo stands at
// (50, 50), the menu at x 500 from y 200), 1 the same at dawn once the game
// has been cleared, 20 the sub-screens (a music room and further menus:
// items on the left and top, the text box at y 340), 30 the opening and
// title start-up backdrop (the opening logo turns about x 300 from y 200).
// Also the loading picture, Other 10, shown full screen while loading.
#include <cmath>
#include <numbers>

#include "families.h"
#include "palette.h"
#include "scenery.h"
#include "styling.h"

namespace vuzed::pictures {
namespace {

constexpr int W = 640, H = 480;
constexpr float Pi = std::numbers::pi_v<float>;

// Darken the right side where the menu stands, so its words read well.
void MenuShade(Canvas& c) {
  const Mask all(W, H, 1);
  c.Draw(all, Linear(430, 0, Hex(0x000000, 0), 560, 0, Hex(0x0A0720, 0.55f)));
}

Canvas Title(bool dawn) {
  Canvas c(W, H);
  const SkyColours night{Hex(0x07061A), Hex(0x231A58), Hex(0x5A3E8C), Hex(0x8C7CC8), 0.35f};
  const SkyColours morning{Hex(0x1D2A6B), Hex(0xB06AA0), Hex(0xFFC68A), Hex(0xFFE8D0), 0.5f};
  PaintSky(c, dawn ? morning : night, dawn ? 12u : 11u);
  PaintStars(c, dawn ? 60 : 260, dawn ? 160.f : 330.f, 13u, dawn ? 0.5f : 1.f);
  if (dawn)
    PaintMoon(c, 470, 330, 46, Hex(0xFFF2C8), Hex(0xFF9F43));  // the rising sun
  else
    PaintMoon(c, 420, 110, 34, Hex(0xFFF6E0), Hex(0x8C7CFF));
  PaintCity(c, 480, 150, dawn ? Hex(0x3A2450) : Hex(0x120C2C), dawn ? Hex(0xFFE0A0) : Hex(0xFFC860), 17u);
  MenuShade(c);
  return c;
}

// A large faint magic circle, centred at (cx, cy), added as light.
void MagicCircle(Canvas& c, float cx, float cy, float r, const Rgba& col, float gain) {
  Mask m(W, H);
  m.Union(Rasterize(W, H, Ring(cx, cy, r, 2)));
  m.Union(Rasterize(W, H, Ring(cx, cy, r * 0.86f, 1.2f)));
  m.Union(Rasterize(W, H, Ring(cx, cy, r * 0.42f, 1.2f)));
  for (int k = 0; k < 8; ++k) {
    const float a0 = float(k) * Pi / 4, a1 = float(k + 3) * Pi / 4;
    m.Union(Rasterize(W, H, Capsule(cx + r * 0.86f * std::cos(a0), cy + r * 0.86f * std::sin(a0),
                                    cx + r * 0.86f * std::cos(a1), cy + r * 0.86f * std::sin(a1), 0.7f)));
    m.Union(Rasterize(W, H, Circle(cx + r * 0.93f * std::cos(a0 + Pi / 8), cy + r * 0.93f * std::sin(a0 + Pi / 8), 3)));
  }
  c.Glow(m.Blurred(2), Solid(col), gain * 0.8f);
  c.Glow(m, Solid(col), gain);
}

Canvas SubScreen() {
  Canvas c(W, H);
  PaintSky(c, {Hex(0x0B0824), Hex(0x1A1448), Hex(0x2C1F5E), Hex(0x6B4FC8), 0.25f}, 21u);
  PaintStars(c, 140, 480, 22u, 0.6f);
  MagicCircle(c, 470, 230, 190, palette::Violet, 0.35f);
  MagicCircle(c, 470, 230, 110, palette::Rose, 0.2f);
  return c;
}

Canvas OpeningBackdrop() {
  Canvas c(W, H);
  PaintSky(c, {Hex(0x05040F), Hex(0x120E30), Hex(0x1E1646), Hex(0x3A2C7A), 0.2f}, 31u);
  // Rays of light from behind the logo.
  Mask rays(W, H);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const float a = std::atan2(float(y) - 264.f, float(x) - 300.f);
      const float d = std::hypot(float(x) - 300.f, float(y) - 264.f);
      const float ray = std::pow(0.5f + 0.5f * std::cos(a * 12.f), 6.f);
      rays(x, y) = ray * std::clamp(1.f - d / 420.f, 0.f, 1.f) * 0.6f;
    }
  c.Glow(rays, Solid(palette::Violet), 0.5f);
  c.Glow(SoftRasterize(W, H, Circle(300, 264, 40), 220), Solid(palette::Dusk), 0.9f);
  PaintStars(c, 120, 480, 32u, 0.5f);
  return c;
}

Canvas Loading(const TextRenderer& text) {
  Canvas c(W, H);
  PaintSky(c, {Hex(0x06051A), Hex(0x18123E), Hex(0x3A2A6E), Hex(0x6B4FC8), 0.3f}, 41u);
  PaintStars(c, 200, 400, 42u, 0.8f);
  PaintCity(c, 480, 110, Hex(0x0C0824), Hex(0xFFC860), 43u);
  Mask m(W, H);
  text.Draw(m, "Now Loading...", 392, 440, 30, true);
  c.Glow(m.Dilated(3).Blurred(3), Solid(palette::Violet), 1);
  Outlined(c, m, Linear(0, 414, palette::Ivory, 0, 444, palette::Gold), palette::Outline, 2);
  return c;
}

}  // namespace

void WriteScreenBackgrounds(PictureWriter& out, const TextRenderer& text) {
  out.Opaque(table::Back, 0, Title(false), Depth::Bits16);
  out.Opaque(table::Back, 1, Title(true), Depth::Bits16);
  out.Opaque(table::Back, 20, SubScreen(), Depth::Bits16);
  out.Opaque(table::Back, 30, OpeningBackdrop(), Depth::Bits16);
  // The loading picture is drawn with no key: any colour may stand in it.
  out.Opaque(table::Other, 10, Loading(text), Depth::Bits16);
}

}  // namespace vuzed::pictures
