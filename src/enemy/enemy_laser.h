#pragma once
// Lasers: straight beams of bullet segments laid every 4 pixels from an
// origin to the edge of the screen area. A segment shows as a thin line,
// widens, holds full width (only then can it graze or hit) and fades.

#include <cstdint>
#include <span>
#include <vector>

#include "enemy/enemy_tama.h"
#include "objects/block_pool.h"

namespace vuzed {

// Where one segment of a beam stands, and whether it has grazed the ship
// (each segment grazes once in its life).
struct TLaserSegment {
  float TamaX = 0;
  float TamaY = 0;
  bool Grazed = false;
};

// What every segment of a beam shares: the picture and the direction the
// beam was laid with, the hit radius and damage, and the life (width,
// opacity, death). The segments of a beam are laid together, so they live in
// lockstep: the beam steps their life once a frame and turns their quad once
// for all of them.
class TEnemyTamaLaserBullet : public TEnemyBullet1 {
 public:
  TEnemyTamaLaserBullet(TPlayfield& playfield, float angle, int32_t picture);
  // Draws the beam's segments where they stand, as this look's quad.
  void DrawSegments(std::span<const TLaserSegment> segments);
  const char* ClassName() const override { return "TEnemyTamaLaserBullet"; }
  // One frame of the segments' life (width, opacity, death).
  void LifeStep();
  // W <= T < W + D: the segments are at full width.
  bool AtFullWidth() const;

  int32_t WarmUp = 0;
  int32_t Duration = 0;
  float Scale = 0;
  int32_t LifeCount = 0;
  float FullWidth = 0;
  uint8_t Alpha = 0;
  bool Dead = false;
};

// A fixed laser (LA01).
class TEnemyTamaLaser1 : public TEnemyTama {
 public:
  TEnemyTamaLaser1(TPlayfield& playfield, float x, float y, float angle, float width, float hitWidth,
                   int32_t warmUp, int32_t duration, int32_t picture);
  void Action() override;
  void Move() override {}
  void Draw() override;
  const char* ClassName() const override { return "TEnemyTamaLaser1"; }
  bool Step() override { return StepAs(*this); }
  // A finished laser is done with: it leaves the bullet list like a bullet
  // off the playfield. Otherwise a laser never leaves by position.
  bool IsOut() const override;
  // The per-frame graze and hit test against the player, for fixed and
  // turning lasers alike (a turning beam's segments carry a quarter of the
  // hit width as their radius and graze and hit like any other).
  void TestPlayer();

  // The segments' look and life, and where each stands (packed, for the
  // loops that run over every segment of every beam each frame).
  TEnemyTamaLaserBullet Look;
  std::vector<TLaserSegment, TBlockPoolAllocator<TLaserSegment>> Segments;
  bool Finished = false;
  int32_t HitCooldown = 0;
};

// A laser turning around its origin every frame (LA02).
class TEnemyTamaLaser2 : public TEnemyTamaLaser1 {
 public:
  TEnemyTamaLaser2(TPlayfield& playfield, float x, float y, float angle, float width, float hitWidth,
                   int32_t warmUp, int32_t duration, int32_t picture, float spin);
  void Move() override;
  bool Step() override { return StepAs(*this); }
  const char* ClassName() const override { return "TEnemyTamaLaser2"; }

  float Spin = 0;
  float CurAngle = 0;
  int32_t OriginX = 0;
  int32_t OriginY = 0;
};

}  // namespace vuzed
