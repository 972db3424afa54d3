#include "enemy/tukaima.h"

#include "back/texture_list.h"
#include "game/playfield.h"

namespace vuzed {
namespace {

constexpr int32_t kFamiliarPicture = 5;
constexpr uint32_t kFamiliarColor = 0x88FFFFFF;

}  // namespace

TTukaima::TTukaima(TPlayfield& playfield, const TSecondStringList2& definition, float x, float y)
    : TEnemy(playfield, definition) {
  X = x;
  Y = y;
}

bool TTukaima::ReadHeader() {
  if (!TEnemy::ReadHeader()) return false;
  PictureID = kFamiliarPicture;
  Atari = -1;
  PowerItems = 0;
  return true;
}

void TTukaima::Draw() {
  if (!Field_.Textures) return;
  const TMXTexture* picture = Field_.Textures->Get(TPictureTable::Effect, PictureID);
  if (!picture) return;
  DrawCentredPicture(*picture, float(Rotation), kFamiliarColor, 1);
  Rotation = Rotation == 360 ? 0 : Rotation + 1;
}

}  // namespace vuzed
