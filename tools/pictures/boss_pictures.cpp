// The boss table (white key): 0-4 the five bosses on the playfield (drawn
// centred over their halo; 4 is the extra stage's gatekeeper), and from 10
// the dialogue portraits, whose top-left corners stand at (0, 150),
// (150, 150) and (300, 150) above the text box at y 340: 10 the heroine, 11
// the heroine smiling, 12-16 the five bosses in the same order. The game
// loads every number of the table from 0 to 30 that has a file.
#include "character.h"
#include "families.h"
#include "palette.h"

namespace vuzed::pictures {

namespace {
constexpr int kBossCount = 5;  // the characters BossCharacter knows
}  // namespace

void WriteBossPictures(PictureWriter& out) {
  for (int i = 0; i < kBossCount; ++i) {
    Canvas c(64, 96);
    DrawFigure(c, BossCharacter(i));
    out.Sprite(table::Boss, i, c, palette::Outline);
  }
}

void WritePortraits(PictureWriter& out) {
  const auto bust = [](const Character& who, bool smile) {
    Canvas c(192, 256);
    DrawBust(c, who, smile);
    return c;
  };
  out.Sprite(table::Boss, 10, bust(Heroine(), false), palette::Outline);
  out.Sprite(table::Boss, 11, bust(Heroine(), true), palette::Outline);
  for (int i = 0; i < kBossCount; ++i) out.Sprite(table::Boss, 12 + i, bust(BossCharacter(i), false), palette::Outline);
}

}  // namespace vuzed::pictures
