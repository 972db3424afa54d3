// Title menu items (else table, magenta key). They are drawn additively and
// tinted white when selected, grey otherwise, so each is light on black: the
// words in pale gold with a violet glow. Main menu 10, 11, 13, 15 at x 500
// from y 200, 30 apart; start menu 35 and 36 at (200, 200) and (200, 250);
// 34 the extra stage screen at (300, 200); 12 the music room entry at
// (400, 100); 70-76 the seven music-room tracks in two columns at x 50 and
// 350, 50 apart.
#include <string>

#include "families.h"
#include "palette.h"
#include "styling.h"

namespace vuzed::pictures {
namespace {

Canvas Item(const TextRenderer& text, int w, int h, const std::string& words, float size, bool marker) {
  Canvas c(w, h);
  Mask m(w, h);
  const float x = marker ? 16.f : 4.f;
  text.Draw(m, words, x, float(h) / 2 + size * 0.36f, size, true);
  c.Glow(m.Dilated(2).Blurred(2), Solid(palette::Violet), 0.9f);
  c.Glow(m, Linear(0, float(h) / 2 - size / 2, palette::Ivory, 0, float(h) / 2 + size / 2, palette::Gold), 1);
  if (marker) {
    const Mask diamond = MaskOf(c, Box(7, float(h) / 2, 3.5f, 3.5f, 0.5f, 45));
    c.Glow(diamond.Dilated(1.5f).Blurred(1), Solid(palette::Rose), 0.8f);
    c.Glow(diamond, Solid(palette::Gold), 1);
  }
  return c;
}

}  // namespace

void WriteMenuPictures(PictureWriter& out, const TextRenderer& text) {
  out.Light(table::Else, 10, Item(text, 136, 26, "Game Start", 17, true));
  out.Light(table::Else, 11, Item(text, 136, 26, "Extra Start", 17, true));
  out.Light(table::Else, 13, Item(text, 136, 26, "Others", 17, true));
  out.Light(table::Else, 15, Item(text, 136, 26, "Quit", 17, true));
  out.Light(table::Else, 35, Item(text, 240, 36, "Story Mode", 24, true));
  out.Light(table::Else, 36, Item(text, 240, 36, "Stage Practice", 24, true));
  out.Light(table::Else, 34, Item(text, 330, 40, "Extra Stage - Shot to begin", 20, false));
  out.Light(table::Else, 12, Item(text, 220, 34, "Music Room", 24, true));
  // The music room's tracks, as tools/sounds composes them.
  constexpr const char* Tracks[] = {"01 Skyward Departure", "02 Crimson Lattice", "03 Lanterns over Vuzed",
                                    "04 Glass Orchard",     "05 Iron Comet",       "06 Sealed Verdict",
                                    "07 Where the Wind Settles"};
  for (int i = 0; i < 7; ++i) out.Light(table::Else, 70 + i, Item(text, 290, 34, Tracks[i], 20, true));
}

}  // namespace vuzed::pictures
