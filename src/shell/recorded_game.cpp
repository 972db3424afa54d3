#include "shell/recorded_game.h"

#include "player/player_control.h"
#include "replay/replay.h"
#include "shell/main_form.h"
#include "state/state.h"

namespace vuzed {

void StartRecordedGame(TForm1& form, const TReplay& replay) {
  TGameContext& c = form.Context();
  c.ChangeScene(TScene::Game);
  TPlayerControl& player = *c.PlayerControl;
  player.ResetPlayer();
  TPlayer& ship = player.Ship;
  const TShipStart& start = replay.Ship;
  ship.X = start.X;
  ship.Y = start.Y;
  ship.Lives = start.Lives;
  ship.Bombs = start.Bombs;
  ship.Hp = start.Hp;
  ship.Power = start.Power;
  ship.Graze = start.Graze;
  ship.HitsTaken = start.HitsTaken;
  ship.InvulnerableTimer = start.InvulnerableTimer;
  ship.BombTimer = start.BombTimer;
  ship.BankCounter = start.BankCounter;
  ship.ShotCooldown = start.ShotCooldown;
  player.Invincible = replay.Invincible();
  c.State->Score = replay.Score;
  c.State->PlayFrames = replay.PlayFrames;
  c.KeyWait = replay.KeyWait;
  c.RandSeed = replay.Seed;
  form.NewGame(replay.StageType);
}

}  // namespace vuzed
