#pragma once
// Plays a recorded game back: feeds each pass its recorded input, says on
// stderr when a stage's scripts are not those the game was recorded with
// (the replay is still played), and, when verifying, compares the state's
// checksum at every pass the replay has one for. The first that differs is
// the desync.

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <optional>

#include "replay/game_watcher.h"
#include "replay/replay.h"
#include "replay/replay_input.h"

namespace vuzed {

class TReplayPlayer : public TGameWatcher {
 public:
  // `replay` and `input` (built on replay.Input) must outlive the player.
  TReplayPlayer(const TReplay& replay, TReplayInput& input, bool verify, std::ostream& err)
      : Replay_(replay), Input_(input), Verify_(verify), Err_(err) {}

  void GameStarting(TGameContext&, int32_t) override {}
  void StageLoaded(TGameContext& game, int32_t type) override;
  void PassStarting(TGameContext& game) override;
  void PassEnded(TGameContext& game) override;

  // Passes played so far, and whether all the recorded ones have been.
  uint32_t Pass() const { return Pass_; }
  bool Ended() const { return Pass_ >= Replay_.Passes; }
  // The first pass whose checksum differed (only when verifying).
  std::optional<uint32_t> Desync() const { return Desync_; }

 private:
  void WarnScripts(int32_t type);

  const TReplay& Replay_;
  TReplayInput& Input_;
  bool Verify_;
  std::ostream& Err_;
  uint32_t Pass_ = 0;
  size_t StagesLoaded_ = 0;
  size_t NextCheck_ = 0;
  std::optional<uint32_t> Desync_;
};

}  // namespace vuzed
