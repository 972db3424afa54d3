#pragma once
// TPlayerControl: the player's ship and its two pools of shots.
//
// Nothing is allocated while playing: a launch takes the next shot of a ring
// and starts it again, whether or not it is still flying. Normal shots are
// taken 1, 2, ..., 127, 0, 1, ...; bomb shots 1, 2, ..., 500, 0, 1, ... (the
// last of the 502 is never used). Both rings start at 0 on ResetPlayer.

#include <cstdint>
#include <memory>
#include <vector>

#include "player/player.h"
#include "player/player_shot.h"

namespace vuzed {

struct TPlayfield;

class TPlayerControl {
 public:
  static constexpr int32_t kShotCount = 128;
  static constexpr int32_t kBombShotCount = 502;
  static constexpr int32_t kBombRingLast = 500;  // the bomb ring wraps after this slot

  explicit TPlayerControl(TPlayfield& playfield);
  ~TPlayerControl();

  // Puts the ship back to its starting state (the title calls it before a
  // game, the ship itself on respawn). Lives are left alone.
  void ResetPlayer();
  // The ship's frame: timers, movement, attack, shots, drawing.
  void UpdatePlayer();
  void DrawHitMarker();
  // Deactivates every shot of both pools.
  void ClearShots();
  // Moves every active shot, normal ones first; a shot out of the playfield
  // is retired, the others are drawn.
  void UpdateShots();

  // The next slot of each ring.
  TPlayerTama& NextShot();
  TPlayerBombTama& NextBombShot();
  // One volley from (x, y) for the current layout; slow picks the focused
  // spread. Each shot has the given damage. False when the layout fires
  // nothing ("SLANT").
  bool FireVolley(bool slow, int32_t damage, float x, float y);
  // One step of the bomb spiral for bomb timer t, from (x, y).
  void LaunchSpiralStep(int32_t t, float x, float y);

  int32_t ShotIndex = 0;      // ring index of the normal shots
  int32_t BombShotIndex = 0;  // ring index of the bomb shots
  std::vector<std::unique_ptr<TPlayerTama>> Shots;
  std::vector<std::unique_ptr<TPlayerBombTama>> BombShots;
  TPlayer Ship;
  bool Invincible = false;  // a test aid: hits are ignored

 private:
  TPlayfield& Field_;
};

}  // namespace vuzed
