// The desktop icon: the player's ship rising through a ring of bullets on a
// night-sky badge with the lantern glow beneath it. Every size is drawn
// from the same shapes on a 64 x 64 design grid scaled to the size, so a
// small icon is as sharp as a large one. Written as
// hicolor/<size>x<size>/apps/vuzed.png, the desktop's icon theme layout.
#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>

#include "families.h"
#include "palette.h"
#include "png_file.h"
#include "styling.h"

namespace vuzed::pictures {
namespace {

constexpr int IconSizes[] = {32, 48, 64, 128, 256};

Canvas Icon(int size) {
  Canvas c(size, size);
  const float k = float(size) / 64.f;
  auto s = [k](float v) { return v * k; };

  // The badge: a rounded square of night sky with a violet rim.
  const Sdf outer = Box(s(32), s(32), s(30), s(30), s(12));
  const Mask badge = MaskOf(c, outer);
  c.Draw(badge, LinearStops(0, s(2), 0, s(62), {palette::Dusk, palette::Night, Hex(0x05040F)}));
  Mask glow = SoftRasterize(size, size, Circle(s(32), s(50), s(5)), s(18));
  glow.Intersect(badge);
  c.Glow(glow, Solid(palette::Amber), 0.55f);
  for (auto [x, y, r] : {std::tuple{13.f, 14.f, 2.6f}, {52.f, 32.f, 2.f}, {47.f, 52.f, 1.6f}}) {
    const Mask star = MaskOf(c, Star(s(x), s(y), s(r), s(r * 0.35f), 4, -90));
    c.Draw(star, Solid(palette::Ivory), 0.9f);
  }

  // A ring of bullets around the ship, one of each of eight colours.
  constexpr float Pi = 3.14159265f;
  for (int i = 0; i < 8; ++i) {
    const float a = Pi * 2 * float(i) / 8 + Pi / 8;
    const float x = 32 + 23 * std::cos(a), y = 32 + 23 * std::sin(a);
    const Mask bullet = MaskOf(c, Circle(s(x), s(y), s(3.4f)));
    c.Draw(bullet.Dilated(s(0.8f)), Solid(palette::Outline));
    c.Draw(bullet, Radial(s(x), s(y), s(3.4f), palette::White, palette::Bullet[size_t(i)]));
  }

  // The ship, nose up: the shapes of the player's own picture, its grid of
  // 32 x 48 scaled by 0.8 and placed at (19.2, 12) inside the ring.
  constexpr float Scale = 0.8f, Left = 19.2f, Top = 12.f;
  auto px = [&](float x) { return s(Left + x * Scale); };
  auto py = [&](float y) { return s(Top + y * Scale); };
  auto p = [&](float x, float y) { return Point{px(x), py(y)}; };
  auto len = [&](float v) { return s(v * Scale); };
  auto wing = [&](float side) {
    return Polygon({p(16 + side * 2.5f, 19), p(16 + side * 14.5f, 33), p(16 + side * 14.f, 38),
                    p(16 + side * 8.f, 36), p(16 + side * 2.5f, 34)});
  };
  const Mask rightWing = MaskOf(c, wing(1));
  const Mask leftWing = MaskOf(c, wing(-1));
  const Mask fins = MaskOf(c, Union(Polygon({p(14, 36), p(9, 44), p(14, 42)}), Polygon({p(18, 36), p(23, 44), p(18, 42)})));
  const Mask body = MaskOf(c, Union(Ellipse(px(16), py(25), len(4.6f), len(17)), Box(px(16), py(38), len(3.2f), len(5), len(1.5f))));
  Mask all = rightWing;
  all.Union(leftWing).Union(fins).Union(body);
  c.Draw(all.Dilated(std::max(1.f, s(1.2f))), Solid(palette::Outline));
  c.Draw(rightWing, Linear(px(16), py(24), palette::Violet, px(31), py(36), palette::Cyan));
  c.Draw(leftWing, Linear(px(16), py(24), palette::Violet, px(1), py(36), palette::Cyan));
  c.Draw(fins, Solid(palette::Lavender));
  c.Draw(body, Linear(px(11), 0, palette::Ivory, px(21), 0, Hex(0xA99CD8)));
  Shine(c, body, py(8), py(30), 0.35f);
  c.Draw(MaskOf(c, Capsule(px(16), py(27), px(16), py(40), len(0.9f))), Solid(palette::Gold));
  c.Draw(MaskOf(c, Ellipse(px(16), py(19), len(2.3f), len(4.2f))),
         Radial(px(15.2f), py(17.5f), len(4.5f), Hex(0xE6FFFF), Hex(0x2A7FC0)));
  c.Draw(MaskOf(c, Ellipse(px(16), py(44.5f), len(2.4f), len(3.2f))),
         Linear(0, py(42), palette::White, 0, py(48), palette::Amber));
  return c;
}

}  // namespace

void WriteIcons(PictureWriter& out) {
  for (int size : IconSizes) {
    const std::string folder = std::to_string(size) + "x" + std::to_string(size);
    out.File(std::filesystem::path("hicolor") / folder / "apps" / "vuzed.png", EncodePngRgba(Icon(size)));
  }
}

}  // namespace vuzed::pictures
