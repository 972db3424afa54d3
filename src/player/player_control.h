#pragma once
// TPlayerControl: the player's ship and its shots.

#include <cstdint>

namespace vuzed {

struct TGameContext;

// The ship's state as the rest of the game reads it.
struct TPlayerShip {
  float X = 0, Y = 0;
  int32_t Lives = 0;
  int32_t Bombs = 0;
  int32_t Hp = 0;
  float Power = 0;
  int32_t Graze = 0;
  int32_t BombTimer = 0;
  int32_t InvulnerableTimer = 0;
  bool Alive = false;
  bool InPlay = false;
};

class TPlayerControl {
 public:
  explicit TPlayerControl(TGameContext& context);

  // Puts the ship back to its starting state (the title calls it before a game).
  void ResetPlayer();
  void Update();
  void DrawHitMarker();
  // Removes every shot of the ship's two shot pools.
  void ClearShots();

  TPlayerShip Ship;
  bool Invincible = false;  // a test aid: hits are ignored

 private:
  [[maybe_unused]] TGameContext& Context_;
};

}  // namespace vuzed
