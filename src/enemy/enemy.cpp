#include "enemy/enemy.h"

namespace vuzed {

TEnemy::TEnemy(TGameContext& context, const TSecondStringList2& definition)
    : Context_(context), Definition_(&definition) {}

TEnemy::~TEnemy() = default;

TTukaima::TTukaima(TGameContext& context, const TSecondStringList2& definition, float x, float y)
    : TEnemy(context, definition) {
  X = x;
  Y = y;
  PictureID = 5;
  Atari = -1;
}

}  // namespace vuzed
