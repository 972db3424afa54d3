#include "replay/replay_recorder.h"

#include <cstdint>

#include "engine/platform/window_host.h"
#include "game/game_context.h"
#include "player/player_control.h"
#include "replay/state_checksum.h"
#include "stage/script_run.h"
#include "state/state.h"

namespace vuzed {

void TReplayRecorder::GameStarting(TGameContext& game, int32_t type) {
  Finish(game);
  Replay_ = TReplay{};
  Replay_.StageType = type;
  Replay_.Seed = game.RandSeed;
  Replay_.KeyWait = game.KeyWait;
  if (const TState* state = game.State.get()) {
    Replay_.Score = state->Score;
    Replay_.PlayFrames = state->PlayFrames;
  }
  if (const TPlayerControl* player = game.PlayerControl.get()) {
    const TPlayer& ship = player->Ship;
    Replay_.Ship = {.X = ship.X,
                    .Y = ship.Y,
                    .Lives = ship.Lives,
                    .Bombs = ship.Bombs,
                    .Hp = ship.Hp,
                    .Power = ship.Power,
                    .Graze = ship.Graze,
                    .HitsTaken = ship.HitsTaken,
                    .InvulnerableTimer = ship.InvulnerableTimer,
                    .BombTimer = ship.BombTimer,
                    .BankCounter = ship.BankCounter,
                    .ShotCooldown = ship.ShotCooldown};
    if (player->Invincible) Replay_.Flags |= TReplay::kInvincible;
  }
  Recording_ = true;
  InPass_ = false;
  FirstStageLoaded_ = false;
}

void TReplayRecorder::StageLoaded(TGameContext& game, int32_t type) {
  if (!Recording_ || !game.ScriptRun) return;
  const uint64_t hash = game.ScriptRun->Script.SourceHash;
  if (!FirstStageLoaded_) {
    FirstStageLoaded_ = true;
    Replay_.ScriptHash = hash;
  } else {
    Replay_.LaterStages.push_back({Replay_.Passes, type, hash});
  }
}

void TReplayRecorder::PassStarting(TGameContext&) {
  if (!Recording_ || Replay_.Passes >= kMaxReplayPasses) return;
  InPass_ = true;
  ++Replay_.Passes;
  AddInput(Input_.Current());
}

void TReplayRecorder::AddInput(const TPassInput& input) {
  std::vector<TInputRun>& runs = Replay_.Input;
  if (!runs.empty() && runs.back().Input == input && runs.back().Length < UINT32_MAX)
    ++runs.back().Length;
  else
    runs.push_back({1, input});
}

void TReplayRecorder::PassEnded(TGameContext& game) {
  if (!InPass_) return;
  InPass_ = false;
  if (Replay_.Passes % kChecksumInterval == 0) Replay_.Checkpoints.push_back({Replay_.Passes, GameStateChecksum(game)});
  const bool closing = game.Platform.Window && game.Platform.Window->CloseRequested();
  if (game.Scene != TScene::Game || closing || Replay_.Passes >= kMaxReplayPasses) Finish(game);
}

void TReplayRecorder::Finish(TGameContext& game) {
  if (!Recording_) return;
  Recording_ = false;
  InPass_ = false;
  std::vector<TCheckpoint>& checks = Replay_.Checkpoints;
  if (Replay_.Passes > 0 && (checks.empty() || checks.back().Pass != Replay_.Passes))
    checks.push_back({Replay_.Passes, GameStateChecksum(game)});
  if (Finished_) Finished_(Replay_);
}

}  // namespace vuzed
