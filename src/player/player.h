#pragma once
// TPlayer: the player's ship. It reads the stick and buttons, moves, fires,
// bombs, is hit by enemy bullets and lasers, dies and respawns while lives
// remain. Lives, bombs, hit points, power and the graze count live here; the
// game state reads them for the status display.
//
// Player pictures: 1 level, 2 then 3 banking right, 4 then 5 banking left
// (the second picture once the stick has been held sideways for 10 frames),
// 11 the hit marker shown while moving slowly.

#include <cstdint>

#include "objects/character.h"

namespace vuzed {

struct TPlayfield;
class TMXTexture;
class TPlayerControl;

// The step the ship takes in one frame for a stick direction (-1..1 on each
// axis): 4 pixels straight, each axis divided by 1.414 on a diagonal, halved
// while slow.
void ShipStep(int32_t stickX, int32_t stickY, bool slow, float& dx, float& dy);
// The largest X and Y the ship may reach in a layout (the least are 0);
// false for a layout without bounds.
bool ShipBounds(uint8_t layout, float& maxX, float& maxY);

class TPlayer : public TCharacter {
 public:
  static constexpr int32_t kBankFrames = 10;
  static constexpr int32_t kVolleyInterval = 6;   // frames between volleys
  static constexpr int32_t kBombFrames = 180;
  static constexpr int32_t kSpiralStart = 150;    // the spiral runs while the bomb timer is below this
  static constexpr int32_t kDeathFrames = 180;
  static constexpr int32_t kHiddenBelow = 30;     // a dying ship is hidden once its timer is below this

  explicit TPlayer(TPlayfield& playfield);

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

  // The control that owns this ship and its shot pools (set by the control).
  void SetControl(TPlayerControl* control) { Control_ = control; }

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
  // Hits that reached the ship outside its blinking time since the game
  // began, counted also when it is invincible (a measure of difficulty).
  int32_t HitsTaken = 0;
  bool Alive = false;
  int32_t DeathTimer = 0;       // frames left of the death sequence
  bool InPlay = false;          // a game is running

 private:
  // The ship is hidden during the last frames of its death sequence.
  bool Hidden() const { return DeathTimer >= 1 && DeathTimer < kHiddenBelow; }
  // A player picture centred on the ship, unrotated, opaque white.
  void DrawCentred(const TMXTexture* picture);
  void Bomb();

  TPlayfield& Field_;
  TPlayerControl* Control_ = nullptr;
};

}  // namespace vuzed
