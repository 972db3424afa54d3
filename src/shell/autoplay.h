#pragma once
// The autoplay bot of headless runs (`vuzed-tool run --autoplay`): it plays
// the ship the way a careful player would, to measure how hard a stage is.
//
// Every pass it holds the shot key, never bombs, and picks one of 17 moves
// (standing still, or one of eight directions at full or slow speed) by
// looking 16 frames ahead: each enemy bullet, laser segment and enemy is
// carried along its present speed, and a move is scored by how close the
// ship would come to them (nearer and sooner is worse), plus a slight pull
// towards the bottom middle of the field and under the nearest enemy. It sees
// only what a player sees (positions, angles, speeds, sizes), uses no random
// numbers and keeps no state between passes, so a run is as repeatable as
// one with scripted keys. The keys of the --input script (Esc, the pause key)
// still work beside it.

#include <array>
#include <cstdint>

#include "engine/platform/input_source.h"

namespace vuzed {

struct TGameContext;

class TAutoplayInput : public InputSource {
 public:
  // The bot's keys are added to those of inner (the --input script).
  explicit TAutoplayInput(InputSource& inner) : Inner_(inner) {}

  // Chooses this pass's keys from the game as it stands before the pass.
  void Decide(const TGameContext& game);

  bool ReadKeyboard(std::array<uint8_t, 256>& keys) override;
  int PadCount() const override { return Inner_.PadCount(); }
  bool ReadPad(int index, JoyState& state) override { return Inner_.ReadPad(index, state); }
  bool IsKeyDown(uint8_t dik) override;

  // The last choice: stick direction in -1..1 and whether slow was held.
  int MoveX() const { return MoveX_; }
  int MoveY() const { return MoveY_; }
  bool Slow() const { return Slow_; }

 private:
  bool BotKey(uint8_t dik) const;

  InputSource& Inner_;
  int MoveX_ = 0;
  int MoveY_ = 0;
  bool Slow_ = false;
};

}  // namespace vuzed
