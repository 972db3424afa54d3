#include "player/player_shot.h"

namespace vuzed {

TPlayerTama::TPlayerTama(TGameContext& context, int32_t) : Context_(context) {
  Atari = 16;
  X = -100;
  Y = -100;
}

void TPlayerTama::Launch(int32_t damage, float angle, float x, float y) {
  X = x;
  Y = y;
  Damage = damage;
  Angle = int32_t(angle);
  Active = true;
}

void TPlayerTama::Move() {}
void TPlayerTama::Draw() {}
void TPlayerBombTama::Draw() {}

}  // namespace vuzed
