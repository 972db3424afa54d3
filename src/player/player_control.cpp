#include "player/player_control.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "back/sound_list.h"
#include "engine/sound/sound_channel.h"
#include "engine/sound/sound_device.h"
#include "engine/sound/wave_data.h"
#include "player/player_support.h"
#include "game/stage_shared.h"
#include "game/playfield.h"
#include "game/play_state.h"

namespace vuzed {
namespace {

// trunc(power); a power beyond the integers (never reached by collecting
// items) stops at their ends instead of overflowing.
int32_t PowerLevelOf(float power) {
  const double level = std::trunc(double(power));
  if (!(level == level)) return 0;
  return int32_t(std::clamp(level, double(INT32_MIN), double(INT32_MAX)));
}

}  // namespace

TPlayerControl::TPlayerControl(TPlayfield& playfield) : Ship(playfield), Field_(playfield) {
  Ship.SetControl(this);
  Shots.reserve(kShotCount);
  BombShots.reserve(kBombShotCount);
  for (int32_t i = 0; i < kShotCount; ++i) Shots.push_back(std::make_unique<TPlayerTama>(playfield, 0));
  for (int32_t i = 0; i < kBombShotCount; ++i) BombShots.push_back(std::make_unique<TPlayerBombTama>(playfield, 0));
  EnterPlayfield(Field_.Player, this);
}

TPlayerControl::~TPlayerControl() { LeavePlayfield(Field_.Player, this); }

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
  // A dialogue scene may have put its own sound on the shot channel.
  ShipTakeShotChannel(Field_);
  ShotIndex = 0;
  BombShotIndex = 0;
}

void TPlayerControl::UpdatePlayer() {
  if (!Ship.InPlay) return;
  Ship.PowerLevel = PowerLevelOf(Ship.Power);
  if (Ship.DeathTimer == 1) {
    if (Ship.Lives > 1) {
      ResetPlayer();
      --Ship.Lives;
    } else {
      if (Field_.Play) Field_.Play->GameOver = 1;
      Ship.InPlay = false;
      if (Field_.Stage) Field_.Stage->Active = false;
      // The game is over: the rest of this frame would show the finished
      // ship once more and blow it up again, so it ends here, as every
      // later frame does.
      return;
    }
  }
  Ship.UpdateTimers();
  Ship.Move();
  Ship.Attack();
  UpdateShots();
  Ship.Draw();
}

void TPlayerControl::DrawHitMarker() { Ship.DrawHitMarker(); }

void TPlayerControl::ClearShots() {
  for (auto& shot : Shots) shot->Active = false;
  for (auto& shot : BombShots) shot->Active = false;
}

void TPlayerControl::UpdateShots() {
  auto step = [](TPlayerTama& shot) {
    if (!shot.Active) return;
    shot.Move();
    if (shot.IsOut())
      shot.Active = false;
    else
      shot.Draw();
  };
  for (auto& shot : Shots) step(*shot);
  for (auto& shot : BombShots) step(*shot);
}

TPlayerTama& TPlayerControl::NextShot() {
  ++ShotIndex;
  if (ShotIndex >= kShotCount || ShotIndex < 0) ShotIndex = 0;
  return *Shots[size_t(ShotIndex)];
}

TPlayerBombTama& TPlayerControl::NextBombShot() {
  if (BombShotIndex >= kBombRingLast || BombShotIndex < 0)
    BombShotIndex = 0;
  else
    ++BombShotIndex;
  return *BombShots[size_t(BombShotIndex)];
}

}  // namespace vuzed
