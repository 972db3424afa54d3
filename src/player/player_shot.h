#pragma once
// The player's pooled shots: 128 normal shots and 502 bomb shots, owned by the
// player control and re-initialised by Launch instead of being allocated.
//
// A shot flies in a straight line; it moves, draws and collides only while
// Active. In the "VERTICAL" layout it is retired once it leaves the box
// -30..430 by -30..510 (a value on the edge is still in); in the other
// layouts it flies until it hits an enemy or its slot is launched again.

#include <cstdint>

#include "objects/character.h"

namespace vuzed {

struct TPlayfield;
class TMXTexture;

class TPlayerTama : public TCharacter {
 public:
  static constexpr int32_t kHitRadius = 16;
  static constexpr float kSpeed = 20;

  // Hit radius 16, inactive, parked at (-100, -100), bullet picture `picture`.
  TPlayerTama(TPlayfield& playfield, int32_t picture);

  // Starts the shot at (x, y) flying at 20 pixels per frame along `angle`
  // degrees with the given damage. The picture stays as it is.
  void Launch(int32_t damage, float angle, float x, float y);
  // One frame of flight, then retirement when out of the playfield.
  void Move() override;
  // The sprite turned by Angle, faint white (alpha 85 of 255).
  void Draw() override;
  const char* ClassName() const override { return "TPlayerTama"; }
  // Out of the playfield: only in the "VERTICAL" layout, X outside -30..430
  // or Y outside -30..510.
  bool IsOut() const;

  int32_t Damage = 0;
  int32_t Angle = 0;                // degrees, rounded; the sprite turns with it
  const TMXTexture* Picture = nullptr;  // not owned
  bool Active = false;

 protected:
  // Queues the sprite with the given vertex colour (ARGB).
  void DrawTinted(uint32_t color) const;
  // Position, velocity at `speed`, rounded angle, damage; active.
  void Start(int32_t damage, float angle, float x, float y, float speed);

  TPlayfield& Field_;
};

// A bomb shot: half the speed of a normal shot, damage 2, one of the bomb
// pictures, drawn fully opaque.
class TPlayerBombTama : public TPlayerTama {
 public:
  static constexpr int32_t kDamage = 2;
  static constexpr float kSpeed = 10;

  using TPlayerTama::TPlayerTama;
  // Starts the shot at (x, y) along `angle` degrees with bullet picture `picture`.
  void LaunchBomb(int32_t picture, float angle, float x, float y);
  void Draw() override;
  const char* ClassName() const override { return "TPlayerBombTama"; }
};

}  // namespace vuzed
