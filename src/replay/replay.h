#pragma once
// A replay: everything needed to play one game again pass by pass, and the
// checksums that show it went the same way. The file format is described in
// docs/replays.md; replay_writer.h and replay_reader.h turn it into bytes and
// back.

#include <cstdint>
#include <vector>

#include "replay/pass_input.h"

namespace vuzed {

// "VZRP" and the version of the layout below. A file of another version is
// refused; a change of the layout takes a new version.
constexpr char kReplayMagic[4] = {'V', 'Z', 'R', 'P'};
constexpr uint16_t kReplayVersion = 1;
// Passes between two stored checksums (one second of play).
constexpr uint32_t kChecksumInterval = 60;
// The longest game a replay holds: ten hours of passes. The recording stops
// there; a reader takes a larger count for damage (it would take hours to
// play back).
constexpr uint32_t kMaxReplayPasses = 10 * 60 * 60 * 60;

// The ship as the game began (after the title or the tool set it up).
struct TShipStart {
  float X = 0, Y = 0;
  int32_t Lives = 0, Bombs = 0, Hp = 0;
  float Power = 0;
  int32_t Graze = 0, HitsTaken = 0;
  int32_t InvulnerableTimer = 0, BombTimer = 0;
  int32_t BankCounter = 0, ShotCooldown = 0;  // not reset between games
  bool operator==(const TShipStart&) const = default;
};

// A stage loaded while the game ran (the next one after a clear), during
// pass Pass.
struct TStageLoad {
  uint32_t Pass = 0;
  int32_t Type = 0;
  uint64_t ScriptHash = 0;
  bool operator==(const TStageLoad&) const = default;
};

// Passes Length in a row with the same input.
struct TInputRun {
  uint32_t Length = 0;
  TPassInput Input;
  bool operator==(const TInputRun&) const = default;
};

// The checksum of the game's state after pass Pass (replay/state_checksum.h).
struct TCheckpoint {
  uint32_t Pass = 0;
  uint64_t Sum = 0;
  bool operator==(const TCheckpoint&) const = default;
};

struct TReplay {
  // Flags bit 0: the ship ignored hits (vuzed-tool run --invincible).
  static constexpr uint16_t kInvincible = 1;

  uint16_t Flags = 0;
  int32_t StageType = 0;
  uint32_t Seed = 0;          // the random generator just before the stage loaded
  uint64_t ScriptHash = 0;    // the first stage's scripts (TCompiledScript::SourceHash)
  TShipStart Ship;
  int32_t KeyWait = 0;        // the frame loop's key delay at the start
  int32_t Score = 0;          // the game state's score and frame count at the start
  int32_t PlayFrames = 0;     // (the count runs on across games; the clear bonus uses it)
  uint32_t Passes = 0;        // passes played, the sum of the run lengths
  std::vector<TStageLoad> LaterStages;
  std::vector<TInputRun> Input;
  std::vector<TCheckpoint> Checkpoints;

  bool Invincible() const { return (Flags & kInvincible) != 0; }
  bool operator==(const TReplay&) const = default;
};

}  // namespace vuzed
