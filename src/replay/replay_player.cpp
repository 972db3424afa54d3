#include "replay/replay_player.h"

#include <ostream>

#include "game/game_context.h"
#include "replay/state_checksum.h"
#include "stage/script_run.h"

namespace vuzed {

void TReplayPlayer::StageLoaded(TGameContext& game, int32_t type) {
  const uint64_t hash = game.ScriptRun ? game.ScriptRun->Script.SourceHash : 0;
  const size_t index = StagesLoaded_++;
  if (index == 0) {
    if (type != Replay_.StageType || hash != Replay_.ScriptHash) WarnScripts(type);
    return;
  }
  const size_t later = index - 1;
  if (later >= Replay_.LaterStages.size()) {
    Err_ << "replay: stage " << type << " was loaded at pass " << Pass_ << ", which the recorded game never did\n";
    return;
  }
  const TStageLoad& recorded = Replay_.LaterStages[later];
  if (recorded.Type != type || recorded.Pass != Pass_) {
    Err_ << "replay: stage " << type << " was loaded at pass " << Pass_ << "; the recorded game loaded stage "
         << recorded.Type << " at pass " << recorded.Pass << "\n";
  } else if (recorded.ScriptHash != hash) {
    WarnScripts(type);
  }
}

void TReplayPlayer::WarnScripts(int32_t type) {
  Err_ << "replay: recorded with other stage scripts than those of stage " << type
       << " now; it may not play as it was played\n";
}

void TReplayPlayer::PassStarting(TGameContext&) {
  ++Pass_;
  Input_.NextPass();
}

void TReplayPlayer::PassEnded(TGameContext& game) {
  if (!Verify_ || Desync_) return;
  const std::vector<TCheckpoint>& checks = Replay_.Checkpoints;
  while (NextCheck_ < checks.size() && checks[NextCheck_].Pass < Pass_) ++NextCheck_;
  if (NextCheck_ >= checks.size() || checks[NextCheck_].Pass != Pass_) return;
  if (checks[NextCheck_].Sum != GameStateChecksum(game)) Desync_ = Pass_;
  ++NextCheck_;
}

}  // namespace vuzed
