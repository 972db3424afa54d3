#include "enemy/enemy_explosion.h"

#include "back/background.h"
#include "back/texture_list.h"
#include "engine/graphics/scene.h"
#include "engine/graphics/texture.h"
#include "objects/string_helpers.h"
#include "game/playfield.h"

namespace vuzed {
namespace {

// The explosion sheet: 8 columns by 2 rows of cells, entry 1 of the effect
// pictures. Frame 16 falls on the first cell of a third row, below the sheet.
constexpr int kSheetColumns = 8;
constexpr int kSheetRows = 2;
constexpr int kLastFrame = 16;
constexpr float kQuadSize = 48;

}  // namespace

TEnemyExplosion::TEnemyExplosion(TPlayfield& playfield, float x, float y, float angle)
    : Angle(angle), Field_(playfield) {
  X = x;
  Y = y;
}

void TEnemyExplosion::Action() {
  ++Count;
  Frame = Count / 3;
  if (Frame > kLastFrame) Dead = true;
}

void TEnemyExplosion::Draw() {
  const TMXTexture* sheet = Field_.Textures ? Field_.Textures->Get(TPictureTable::Effect, 1) : nullptr;
  if (!sheet || !Field_.Background) return;
  const int column = Frame % kSheetColumns, row = Frame / kSheetColumns;
  const float u0 = float(column) * sheet->MaxU() / kSheetColumns, u1 = float(column + 1) * sheet->MaxU() / kSheetColumns;
  const float v0 = float(row) * sheet->MaxV() / kSheetRows, v1 = float(row + 1) * sheet->MaxV() / kSheetRows;
  const auto quad = CentredQuad(kQuadSize, kQuadSize, Angle, 0xFFFFFFFF, u0, v0, u1, v1);
  // Explosions are placed in screen pixels, without the playfield origin.
  Field_.Background->Scene().DrawSprite(MakePoint(X, Y), quad, sheet, 1, false, false, 0);
}

}  // namespace vuzed
