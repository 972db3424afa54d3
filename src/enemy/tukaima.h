#pragma once
// TTukaima: a familiar. An enemy that runs its own script but is only a
// decoration: it can never be hit (Atari -1) and is drawn as a turning,
// additive effect picture (5 unless its script changes PictureID).

#include <cstdint>

#include "enemy/enemy.h"

namespace vuzed {

class TTukaima : public TEnemy {
 public:
  // Starts at (x, y): the position of the enemy that made it, or (0, 0) from
  // the stage script. Its header may move it.
  TTukaima(TPlayfield& playfield, const TSecondStringList2& definition, float x, float y);
  // The enemy's header, then PictureID 5, Atari -1 and PowerItems 0 (it
  // drops one power item when it dies with Hp <= 0).
  bool ReadHeader() override;
  // Effect picture PictureID centred on it, turned by Rotation degrees,
  // white at alpha 0x88, additive; Rotation then goes on by one degree,
  // from 360 back to 0. Nothing else is drawn.
  void Draw() override;
  const char* ClassName() const override { return "TTukaima"; }

  int32_t Rotation = 0;  // degrees, 0..360
};

}  // namespace vuzed
