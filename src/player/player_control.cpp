#include "player/player_control.h"

namespace vuzed {

TPlayerControl::TPlayerControl(TGameContext& context) : Context_(context) {}

void TPlayerControl::ResetPlayer() {
  int32_t lives = Ship.Lives;
  Ship = TPlayerShip{};
  Ship.Lives = lives;
  Ship.Alive = true;
  Ship.InPlay = true;
}

void TPlayerControl::Update() {}

void TPlayerControl::DrawHitMarker() {}

void TPlayerControl::ClearShots() {}

}  // namespace vuzed
