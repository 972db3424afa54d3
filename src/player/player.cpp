#include "player/player.h"

namespace vuzed {

TPlayer::TPlayer(TGameContext& context) : Context_(context) {}

void TPlayer::Move() {}
void TPlayer::Draw() {}
void TPlayer::UpdateTimers() {}
void TPlayer::Attack() {}
void TPlayer::Hit(int32_t damage) {
  if (InvulnerableTimer > 0) return;
  Hp -= damage;
}
void TPlayer::DrawHitMarker() {}

}  // namespace vuzed
