#pragma once
// Records every game as it is played: the start (stage, generator, ship),
// the scripts of each stage loaded, the input of every pass (run-length
// encoded) and the state's checksum every 60 passes and at the end. A game
// ends when its pass leaves the game scene (cleared, lost or left for the
// title) or the program is asked to close; the finished replay goes to the
// callback.

#include <functional>

#include "replay/game_watcher.h"
#include "replay/recording_input.h"
#include "replay/replay.h"

namespace vuzed {

class TReplayRecorder : public TGameWatcher {
 public:
  using TFinished = std::function<void(const TReplay&)>;
  TReplayRecorder(TRecordingInput& input, TFinished finished) : Input_(input), Finished_(std::move(finished)) {}

  void GameStarting(TGameContext& game, int32_t type) override;
  void StageLoaded(TGameContext& game, int32_t type) override;
  void PassStarting(TGameContext& game) override;
  void PassEnded(TGameContext& game) override;
  // Ends the game being recorded, if any (the run or the program is over).
  void Finish(TGameContext& game);

  bool Recording() const { return Recording_; }

 private:
  void AddInput(const TPassInput& input);

  TRecordingInput& Input_;
  TFinished Finished_;
  TReplay Replay_;
  bool Recording_ = false;
  bool InPass_ = false;
  bool FirstStageLoaded_ = false;
};

}  // namespace vuzed
