#include "character.h"

#include <cmath>

#include "palette.h"
#include "shapes.h"
#include "styling.h"

namespace vuzed::pictures {
namespace {

const Rgba Skin = Hex(0xFFE6D6);
const Rgba SkinShade = Hex(0xF2C4B0);

Rgba Dark(const Rgba& c) { return Scaled(c, 0.62f); }
Rgba Light(const Rgba& c) { return Mix(c, palette::White, 0.35f); }

// Hair behind the head and down the back (drawn first).
Sdf BackHair(const Character& w, float cx, float cy, float r) {
  Sdf back = Circle(cx, cy - r * 0.05f, r * 1.08f);
  switch (w.Style) {
    case HairStyle::Long:
      return Union(back, Box(cx, cy + r * 1.1f, r * 1.02f, r * 1.3f, r * 0.5f));
    case HairStyle::Flowing:
      return Union(back, Polygon({{cx - r * 1.05f, cy}, {cx - r * 1.6f, cy + r * 2.6f}, {cx + r * 1.6f, cy + r * 2.6f},
                                  {cx + r * 1.05f, cy}}));
    case HairStyle::TwinTails:
      return Union(back, Union(Ellipse(cx - r * 1.25f, cy + r * 0.9f, r * 0.42f, r * 1.1f, 12),
                               Ellipse(cx + r * 1.25f, cy + r * 0.9f, r * 0.42f, r * 1.1f, -12)));
    case HairStyle::Short:
      break;
  }
  return Union(back, Box(cx, cy + r * 0.35f, r * 1.05f, r * 0.45f, r * 0.3f));
}

// Fringe over the forehead: a row of pointed locks.
Sdf Fringe(float cx, float cy, float r) {
  Sdf cap = Intersect(Circle(cx, cy - r * 0.08f, r * 1.04f), Box(cx, cy - r * 0.62f, r * 1.2f, r * 0.5f));
  for (int k = -2; k <= 2; ++k) {
    const float x = cx + float(k) * r * 0.36f;
    cap = Union(cap, Polygon({{x - r * 0.24f, cy - r * 0.3f}, {x + r * 0.03f, cy + r * (0.12f + 0.06f * float(k % 2 != 0))},
                              {x + r * 0.24f, cy - r * 0.3f}}));
  }
  // Side locks framing the face.
  cap = Union(cap, Ellipse(cx - r * 0.86f, cy + r * 0.25f, r * 0.2f, r * 0.62f, 8));
  return Union(cap, Ellipse(cx + r * 0.86f, cy + r * 0.25f, r * 0.2f, r * 0.62f, -8));
}

void Eye(Canvas& c, const Character& w, float x, float y, float r, bool smile) {
  if (smile) {
    const Mask arc = MaskOf(c, Subtract(Circle(x, y + r * 0.05f, r * 0.16f), Circle(x, y + r * 0.12f, r * 0.13f)));
    c.Draw(arc, Solid(Hex(0x3A2030)));
    return;
  }
  const Mask white = MaskOf(c, Ellipse(x, y, r * 0.15f, r * 0.2f));
  c.Draw(white, Solid(palette::White));
  const Mask iris = MaskOf(c, Ellipse(x, y + r * 0.02f, r * 0.12f, r * 0.18f));
  c.Draw(iris, Linear(0, y - r * 0.18f, Dark(w.Eyes), 0, y + r * 0.2f, Light(w.Eyes)));
  c.Draw(MaskOf(c, Circle(x, y + r * 0.03f, r * 0.055f)), Solid(Hex(0x1A1028)));
  c.Draw(MaskOf(c, Circle(x - r * 0.04f, y - r * 0.07f, r * 0.04f)), Solid(palette::White));
  // Upper lid line.
  c.Draw(MaskOf(c, Capsule(x - r * 0.16f, y - r * 0.17f, x + r * 0.15f, y - r * 0.21f, std::max(0.6f, r * 0.025f))),
         Solid(Hex(0x2A1A28)));
}

void DrawExtra(Canvas& c, const Character& w, float cx, float cy, float r) {
  const float o = std::max(1.f, r * 0.04f);
  switch (w.Extra) {
    case Accessory::Ribbon: {
      const Mask bow = MaskOf(c, Union(Polygon({{cx + r * 0.55f, cy - r * 0.85f}, {cx + r * 1.2f, cy - r * 1.25f}, {cx + r * 1.15f, cy - r * 0.55f}}),
                                       Polygon({{cx + r * 0.55f, cy - r * 0.85f}, {cx + r * 0.1f, cy - r * 1.35f}, {cx + r * 0.05f, cy - r * 0.7f}})));
      Outlined(c, bow, Linear(0, cy - r * 1.3f, Light(w.Trim), 0, cy - r * 0.6f, w.Trim), palette::Outline, o);
      break;
    }
    case Accessory::Lantern: {
      const Mask l = MaskOf(c, Ellipse(cx - r * 0.8f, cy - r * 0.95f, r * 0.22f, r * 0.28f));
      c.Glow(l.Dilated(r * 0.15f).Blurred(std::max(1, int(r * 0.1f))), Solid(palette::Amber), 0.8f);
      Outlined(c, l, Radial(cx - r * 0.85f, cy - r, r * 0.3f, palette::Ivory, palette::Amber), palette::Outline, o);
      break;
    }
    case Accessory::Hat: {
      const Mask hat = MaskOf(c, Union(Ellipse(cx, cy - r * 0.72f, r * 1.5f, r * 0.22f),
                                       Polygon({{cx - r * 0.7f, cy - r * 0.75f}, {cx + r * 0.2f, cy - r * 2.1f}, {cx + r * 0.7f, cy - r * 0.75f}})));
      Outlined(c, hat, Linear(0, cy - r * 2, Light(w.Trim), 0, cy - r * 0.6f, w.Trim), palette::Outline, o);
      c.Draw(MaskOf(c, Star(cx + r * 0.05f, cy - r * 1.15f, r * 0.2f, r * 0.08f, 5)), Solid(palette::Gold));
      break;
    }
    case Accessory::Gear: {
      const Mask gear = MaskOf(c, Subtract(Star(cx + r * 0.75f, cy - r * 0.7f, r * 0.3f, r * 0.22f, 8, 0),
                                           Circle(cx + r * 0.75f, cy - r * 0.7f, r * 0.09f)));
      Outlined(c, gear, Solid(palette::Gold), palette::Outline, o);
      break;
    }
    case Accessory::Halo: {
      const Mask halo = MaskOf(c, Ring(cx, cy - r * 1.2f, r * 0.7f, r * 0.09f));
      c.Glow(halo.Dilated(r * 0.06f).Blurred(std::max(1, int(r * 0.08f))), Solid(palette::Gold), 0.9f);
      c.Draw(halo, Solid(palette::Ivory));
      break;
    }
    case Accessory::Crescent: {
      // A gold crescent moon over the left temple with a small star beside
      // it, both faintly glowing: the gate's key worn as a hair ornament.
      const float mx = cx - r * 0.72f, my = cy - r * 0.88f;
      const Mask moon = MaskOf(c, Subtract(Circle(mx, my, r * 0.32f), Circle(mx + r * 0.16f, my - r * 0.1f, r * 0.27f)));
      const Mask star = MaskOf(c, Star(cx + r * 0.62f, cy - r * 1.0f, r * 0.17f, r * 0.07f, 4));
      c.Glow(moon.Dilated(r * 0.08f).Blurred(std::max(1, int(r * 0.08f))), Solid(palette::Gold), 0.8f);
      Outlined(c, moon, Linear(0, my - r * 0.3f, palette::Ivory, 0, my + r * 0.3f, palette::Gold), palette::Outline, o);
      c.Glow(star.Dilated(r * 0.05f).Blurred(std::max(1, int(r * 0.06f))), Solid(palette::Cyan), 0.7f);
      c.Draw(star, Solid(palette::Ivory));
      break;
    }
  }
}

}  // namespace

const Character& Heroine() {
  static const Character c{Hex(0x2A3A8C), Hex(0x4DB8FF), Hex(0xF4F6FF), Hex(0xFF6E9C), HairStyle::Long, Accessory::Ribbon};
  return c;
}

const Character& BossCharacter(int index) {
  static const Character bosses[] = {
      {Hex(0xFF8A3C), Hex(0xFFB020), Hex(0xC8283C), Hex(0xFFD36E), HairStyle::TwinTails, Accessory::Lantern},
      {Hex(0x2FA8A0), Hex(0x6EE7FF), Hex(0x1E2A6B), Hex(0x5A4FC8), HairStyle::Short, Accessory::Hat},
      {Hex(0x4FAE4F), Hex(0xC8A020), Hex(0x8A5A2A), Hex(0xE8C060), HairStyle::Long, Accessory::Gear},
      {Hex(0xC8C0F0), Hex(0xA15CFF), Hex(0xF0ECFF), Hex(0x8A6AE0), HairStyle::Flowing, Accessory::Halo},
      // Tobari, the gatekeeper of the star gate (the extra stage): moonlit
      // silver hair, star-gold eyes, a dress of the night sky trimmed in gold.
      {Hex(0xDCE2F4), Hex(0xFFC94D), Hex(0x26306E), Hex(0xFFD36E), HairStyle::Long, Accessory::Crescent},
  };
  constexpr int kBosses = int(sizeof bosses / sizeof bosses[0]);
  return bosses[((index % kBosses) + kBosses) % kBosses];
}

void DrawBackHair(Canvas& c, const Character& w, float cx, float cy, float r) {
  const Mask back = MaskOf(c, BackHair(w, cx, cy, r));
  Outlined(c, back, Linear(0, cy - r, w.Hair, 0, cy + r * 2.5f, Dark(w.Hair)), palette::Outline, std::max(1.f, r * 0.045f));
}

void DrawHead(Canvas& c, const Character& w, float cx, float cy, float r, bool smile) {
  const float o = std::max(1.f, r * 0.045f);
  const Mask face = MaskOf(c, Union(Ellipse(cx, cy + r * 0.05f, r * 0.86f, r * 0.9f),
                                    Polygon({{cx - r * 0.7f, cy + r * 0.3f}, {cx, cy + r * 0.98f}, {cx + r * 0.7f, cy + r * 0.3f}})));
  Outlined(c, face, Linear(0, cy - r * 0.5f, Skin, 0, cy + r, SkinShade), palette::Outline, o);
  // Blush and mouth.
  for (float s : {-1.f, 1.f})
    c.Draw(MaskOf(c, Ellipse(cx + s * r * 0.46f, cy + r * 0.42f, r * 0.14f, r * 0.07f)), Solid(Hex(0xFF9CB0, 0.6f)));
  const Mask mouth = smile ? MaskOf(c, Subtract(Circle(cx, cy + r * 0.5f, r * 0.12f), Circle(cx, cy + r * 0.42f, r * 0.12f)))
                           : MaskOf(c, Capsule(cx - r * 0.06f, cy + r * 0.6f, cx + r * 0.06f, cy + r * 0.6f, std::max(0.5f, r * 0.02f)));
  c.Draw(mouth, Solid(Hex(0x9A3A4A)));
  Eye(c, w, cx - r * 0.36f, cy + r * 0.18f, r, smile);
  Eye(c, w, cx + r * 0.36f, cy + r * 0.18f, r, smile);
  const Mask fringe = MaskOf(c, Fringe(cx, cy, r));
  Outlined(c, fringe, Linear(0, cy - r, Light(w.Hair), 0, cy + r * 0.3f, w.Hair), palette::Outline, o);
  // A shine band across the hair.
  c.Draw(MaskOf(c, Intersect(Ring(cx, cy - r * 0.1f, r * 0.78f, r * 0.12f), Box(cx, cy - r * 0.7f, r, r * 0.25f))),
         Solid(Hex(0xFFFFFF, 0.3f)));
  DrawExtra(c, w, cx, cy, r);
}

void DrawBust(Canvas& c, const Character& w, bool smile) {
  const float W = float(c.Width()), H = float(c.Height());
  const float cx = W / 2, cy = H * 0.36f, r = W * 0.23f;
  DrawBackHair(c, w, cx, cy, r);
  // Shoulders and dress.
  const Mask body = MaskOf(c, Union(Box(cx, H - r * 0.8f, r * 1.55f, r * 1.2f, r * 0.7f),
                                    Box(cx, cy + r * 1.15f, r * 0.22f, r * 0.4f)));
  Outlined(c, body, Linear(0, cy + r, Light(w.Dress), 0, H, Dark(w.Dress)), palette::Outline, 2);
  const Mask neck = MaskOf(c, Box(cx, cy + r * 1.1f, r * 0.2f, r * 0.35f, r * 0.1f));
  c.Draw(neck, Solid(SkinShade));
  const Mask collar = MaskOf(c, Polygon({{cx - r * 0.7f, cy + r * 1.38f}, {cx, cy + r * 1.95f}, {cx + r * 0.7f, cy + r * 1.38f},
                                         {cx + r * 0.45f, cy + r * 1.38f}, {cx, cy + r * 1.7f}, {cx - r * 0.45f, cy + r * 1.38f}}));
  Outlined(c, collar, Solid(w.Trim), palette::Outline, 1.5f);
  c.Draw(MaskOf(c, Circle(cx, cy + r * 1.98f, r * 0.12f)), Solid(palette::Gold));
  DrawHead(c, w, cx, cy, r, smile);
}

void DrawFigure(Canvas& c, const Character& w) {
  const float W = float(c.Width());
  const float cx = W / 2, r = W * 0.2f, cy = r * 1.6f + (w.Extra == Accessory::Hat ? r * 0.6f : 0.f);
  DrawBackHair(c, w, cx, cy, r);
  // Legs, the skirt, arms.
  for (float s : {-1.f, 1.f}) {
    const Mask leg = MaskOf(c, Capsule(cx + s * r * 0.3f, cy + r * 3.2f, cx + s * r * 0.35f, cy + r * 4.3f, r * 0.16f));
    Outlined(c, leg, Solid(Skin), palette::Outline, 1);
    const Mask shoe = MaskOf(c, Ellipse(cx + s * r * 0.4f, cy + r * 4.4f, r * 0.26f, r * 0.14f));
    Outlined(c, shoe, Solid(Dark(w.Trim)), palette::Outline, 1);
  }
  const Mask skirt = MaskOf(c, Polygon({{cx - r * 0.45f, cy + r * 1.3f}, {cx - r * 1.35f, cy + r * 3.4f}, {cx + r * 1.35f, cy + r * 3.4f},
                                        {cx + r * 0.45f, cy + r * 1.3f}}));
  Outlined(c, skirt, Linear(0, cy + r, Light(w.Dress), 0, cy + r * 3.4f, Dark(w.Dress)), palette::Outline, 1);
  c.Draw(MaskOf(c, Box(cx, cy + r * 3.3f, r * 1.3f, r * 0.1f)), Solid(w.Trim));
  for (float s : {-1.f, 1.f}) {
    const Mask arm = MaskOf(c, Capsule(cx + s * r * 0.55f, cy + r * 1.4f, cx + s * r * 1.35f, cy + r * 2.3f, r * 0.2f));
    Outlined(c, arm, Solid(w.Dress), palette::Outline, 1);
    c.Draw(MaskOf(c, Circle(cx + s * r * 1.4f, cy + r * 2.4f, r * 0.18f)), Solid(Skin));
  }
  const Mask chest = MaskOf(c, Box(cx, cy + r * 1.6f, r * 0.55f, r * 0.5f, r * 0.2f));
  Outlined(c, chest, Solid(w.Dress), palette::Outline, 1);
  c.Draw(MaskOf(c, Circle(cx, cy + r * 1.35f, r * 0.14f)), Solid(palette::Gold));
  DrawHead(c, w, cx, cy, r, false);
}

}  // namespace vuzed::pictures
