#pragma once
// TEnemyExplosion: the 50-frame explosion animation left by dying enemies,
// the dying ship and bosses' blasts.

#include <cstdint>

#include "objects/character.h"

namespace vuzed {

struct TPlayfield;

class TEnemyExplosion : public TCharacter {
 public:
  TEnemyExplosion(TPlayfield& playfield, float x, float y, float angle);
  void Draw() override;
  const char* ClassName() const override { return "TEnemyExplosion"; }
  // Count += 1; Frame = Count div 3; dead once Frame passes 16.
  void Action();

  int32_t Count = 0;
  float Angle = 0;
  bool Dead = false;
  int32_t Frame = 0;

 private:
  TPlayfield& Field_;
};

}  // namespace vuzed
