#pragma once
// TPlayerControl: the player's ship and its two pools of shots.

#include <cstdint>
#include <memory>
#include <vector>

#include "player/player.h"
#include "player/player_shot.h"

namespace vuzed {

struct TGameContext;

class TPlayerControl {
 public:
  static constexpr int32_t kShotCount = 128;
  static constexpr int32_t kBombShotCount = 502;

  explicit TPlayerControl(TGameContext& context);
  ~TPlayerControl();

  // Puts the ship back to its starting state (the title calls it before a
  // game, the ship itself on respawn). Lives are left alone.
  void ResetPlayer();
  // The ship's frame: timers, movement, attack, shots, drawing.
  void UpdatePlayer();
  void DrawHitMarker();
  // Deactivates every shot of both pools.
  void ClearShots();

  int32_t ShotIndex = 0;      // ring index of the normal shots
  int32_t BombShotIndex = 0;  // ring index of the bomb shots
  std::vector<std::unique_ptr<TPlayerTama>> Shots;
  std::vector<std::unique_ptr<TPlayerBombTama>> BombShots;
  TPlayer Ship;
  bool Invincible = false;  // a test aid: hits are ignored

 private:
  [[maybe_unused]] TGameContext& Context_;
};

}  // namespace vuzed
