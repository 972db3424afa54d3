#include "player/player_control.h"

namespace vuzed {

TPlayerControl::TPlayerControl(TGameContext& context) : Ship(context), Context_(context) {
  for (int32_t i = 0; i < kShotCount; ++i) Shots.push_back(std::make_unique<TPlayerTama>(context, 0));
  for (int32_t i = 0; i < kBombShotCount; ++i) BombShots.push_back(std::make_unique<TPlayerBombTama>(context, 0));
}

TPlayerControl::~TPlayerControl() = default;

void TPlayerControl::ResetPlayer() {
  Ship.X = 200;
  Ship.Y = 400;
  Ship.Atari = 3;
  Ship.Bombs = 3;
  Ship.Hp = 4;
  Ship.GrazeRadius = 15;
  Ship.Power = 1.0f;
  Ship.PowerLevel = 1;
  Ship.BombTimer = 0;
  Ship.InvulnerableTimer = 180;
  Ship.Alive = true;
  Ship.DeathTimer = 0;
  Ship.InPlay = true;
  ShotIndex = 0;
  BombShotIndex = 0;
}

void TPlayerControl::UpdatePlayer() {}

void TPlayerControl::DrawHitMarker() {}

void TPlayerControl::ClearShots() {
  for (auto& shot : Shots) shot->Active = false;
  for (auto& shot : BombShots) shot->Active = false;
}

}  // namespace vuzed
