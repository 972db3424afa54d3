#pragma once
// TPlayer: the player's ship. It reads the stick and buttons, moves, fires,
// bombs, is hit by enemy bullets and lasers, dies and respawns while lives
// remain. Lives, bombs, hit points, power and the graze count live here; the
// game state reads them for the status display.

#include <cstdint>

#include "objects/character.h"

namespace vuzed {

struct TGameContext;

class TPlayer : public TCharacter {
 public:
  explicit TPlayer(TGameContext& context);

  // Input and movement for one frame (nothing while not alive).
  void Move() override;
  // Queues the ship sprite.
  void Draw() override;
  const char* ClassName() const override { return "TPlayer"; }

  // Bomb, invulnerability and death timers, with the death explosions.
  void UpdateTimers();
  // Firing and bombing.
  void Attack();
  // Called by the enemy-bullet and laser hit tests with the bullet's damage.
  void Hit(int32_t damage);
  // The hit marker, drawn at the very end of the frame while moving slowly.
  void DrawHitMarker();

  int32_t Bombs = 0;
  int32_t Lives = 0;
  int32_t Hp = 0;
  int32_t BankCounter = 0;      // frames the stick was held sideways, up to 10
  int32_t ShotCooldown = 0;     // frames until the next volley
  int32_t GrazeRadius = 0;      // radius of the graze test
  float Power = 0;              // each collected item adds 0.02
  int32_t PowerLevel = 0;       // trunc(Power): a normal shot's damage
  int32_t Graze = 0;            // bullets grazed
  int32_t BombTimer = 0;        // frames left of the running bomb
  int32_t InvulnerableTimer = 0;
  bool Alive = false;
  int32_t DeathTimer = 0;       // frames left of the death sequence
  bool InPlay = false;          // a game is running

 private:
  [[maybe_unused]] TGameContext& Context_;
};

}  // namespace vuzed
