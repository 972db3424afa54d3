// Panels and captions (else table, magenta key). 16 pause, 17 stage clear
// and 18 game over cover the playfield at (30, 15), drawn at half opacity;
// the stage-clear rows (labels 49, 50, 52, 53 at x 40 from y 100, numbers
// ending at x 400) sit on 17's lower part. 19 the ADV backdrop at (50, 40),
// 20 the text box at (30, 340) for dialogue and the music room. 45-47 the
// spell-card result ("bonus" and captured or failed), 51 a spare "total"
// caption. 54-59 stage numbers and 60-65 stage names for the stage-title
// animation (scripts choose them with SETSTAGEOPENINGTEXTURE1 and 2).
#include <string>

#include "families.h"
#include "noise.h"
#include "palette.h"
#include "styling.h"

namespace vuzed::pictures {
namespace {

// Glowing caption text: a violet glow, a dark outline, a light gradient fill.
void Caption(Canvas& c, const Mask& m, const Rgba& top, const Rgba& bottom, const Rgba& glow, float y0, float y1) {
  c.Glow(m.Dilated(2).Blurred(3), Solid(glow), 0.8f);
  Outlined(c, m, Linear(0, y0, top, 0, y1, bottom), palette::Outline, 1.8f);
}

// A dark glass panel with a gold border and a soft pattern.
void GlassPanel(Canvas& c, float radius, uint32_t seed) {
  const float w = float(c.Width()), h = float(c.Height());
  const Mask body = MaskOf(c, Box(w / 2, h / 2, w / 2 - 1, h / 2 - 1, radius));
  c.Draw(body, [&](float x, float y) {
    const float n = Fbm(x / 50.f, y / 50.f, seed, 3);
    return Mix(Mix(Hex(0x120E30), Hex(0x2C2168), y / h), palette::Violet, 0.18f * n);
  });
  c.Draw(MaskOf(c, Subtract(Box(w / 2, h / 2, w / 2 - 1, h / 2 - 1, radius), Box(w / 2, h / 2, w / 2 - 3, h / 2 - 3, radius - 2))),
         Linear(0, 0, palette::Gold, 0, h, palette::Amber));
  c.Draw(MaskOf(c, Subtract(Box(w / 2, h / 2, w / 2 - 6, h / 2 - 6, radius - 4), Box(w / 2, h / 2, w / 2 - 7, h / 2 - 7, radius - 5))),
         Solid(palette::Lavender), 0.5f);
}

Canvas FieldPanel(const TextRenderer& text, const char* title, const char* hint, const Rgba& accent, uint32_t seed) {
  Canvas c(400, 450);
  GlassPanel(c, 14, seed);
  Mask m(400, 450);
  text.Centered(m, title, 200, 48, 38, true);
  Caption(c, m, palette::Ivory, accent, accent, 30, 66);
  c.Draw(MaskOf(c, Capsule(60, 80, 340, 80, 0.8f)), Solid(palette::Gold), 0.7f);
  Mask h(400, 450);
  text.Centered(h, hint, 200, 420, 15);
  c.Draw(h, Solid(palette::Lavender));
  return c;
}

Canvas TextBox() {
  Canvas c(580, 120);
  GlassPanel(c, 12, 41u);
  return c;
}

Canvas AdvBackdrop() {
  Canvas c(540, 400);
  GlassPanel(c, 18, 43u);
  return c;
}

Canvas Words(const TextRenderer& text, int w, int h, const std::string& words, float size, const Rgba& top,
             const Rgba& bottom, const Rgba& glow) {
  Canvas c(w, h);
  Mask m(w, h);
  text.Draw(m, words, 6, float(h) / 2 + size * 0.36f, size, true);
  Caption(c, m, top, bottom, glow, float(h) / 2 - size / 2, float(h) / 2 + size / 2);
  return c;
}

}  // namespace

void WritePanelPictures(PictureWriter& out, const TextRenderer& text) {
  const Rgba o = palette::Outline;
  out.Sprite(table::Else, 16, FieldPanel(text, "PAUSE", "Esc: return to the title", palette::Cyan, 31u), o, Depth::Bits16);
  out.Sprite(table::Else, 17, FieldPanel(text, "STAGE CLEAR", "Shot: continue", palette::Gold, 32u), o, Depth::Bits16);
  out.Sprite(table::Else, 18, FieldPanel(text, "GAME OVER", "Shot: return to the title", palette::Rose, 33u), o,
             Depth::Bits16);
  out.Sprite(table::Else, 19, AdvBackdrop(), o, Depth::Bits16);
  out.Sprite(table::Else, 20, TextBox(), o, Depth::Bits16);

  const Rgba ivory = palette::Ivory, gold = palette::Gold;
  out.Sprite(table::Else, 45, Words(text, 160, 36, "Bonus", 26, ivory, gold, palette::Amber), o);
  out.Sprite(table::Else, 46, Words(text, 300, 48, "Spell Captured!", 32, ivory, gold, palette::Amber), o);
  out.Sprite(table::Else, 47, Words(text, 300, 48, "Bonus Failed...", 32, Hex(0xDDE4F0), Hex(0x8A94B0), palette::Violet), o);
  constexpr std::pair<int, const char*> Rows[] = {
      {49, "Clear Bonus"}, {50, "Play Time"}, {51, "Total"}, {52, "Graze"}, {53, "Stage Rank"}};
  for (const auto& [n, words] : Rows) out.Sprite(table::Else, n, Words(text, 200, 28, words, 20, ivory, palette::Lavender, palette::Violet), o);

  constexpr const char* Numbers[] = {"Stage 1", "Stage 2", "Stage 3", "Stage 4", "Final Stage", "Extra Stage"};
  constexpr const char* Names[] = {"Lantern Road at Dusk",   "The Drowned Observatory", "Clockwork Orchard",
                                   "Cathedral of Glass Winds", "Summit of the Silent Bell", "Beyond the Star Gate"};
  for (int i = 0; i < 6; ++i) {
    out.Sprite(table::Else, 54 + i, Words(text, 256, 44, Numbers[i], 32, ivory, gold, palette::Amber), o);
    out.Sprite(table::Else, 60 + i, Words(text, 300, 32, Names[i], 20, ivory, palette::Cyan, palette::Violet), o);
  }
}

}  // namespace vuzed::pictures
