// The boss table (white key): 0-3 the four bosses on the playfield (drawn
// centred over their halo), and from 10 the dialogue portraits, whose top-left
// corners stand at (0, 150), (150, 150) and (300, 150) above the text box at
// y 340: 10 the heroine, 11 the heroine smiling, 12-15 the four bosses.
#include "character.h"
#include "families.h"
#include "palette.h"

namespace vuzed::pictures {

void WriteBossPictures(PictureWriter& out) {
  for (int i = 0; i < 4; ++i) {
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
  for (int i = 0; i < 4; ++i) out.Sprite(table::Boss, 12 + i, bust(BossCharacter(i), false), palette::Outline);
}

}  // namespace vuzed::pictures
