#pragma once
// Lasers: straight beams of bullet segments laid every 4 pixels from an
// origin to the edge of the screen area. A segment shows as a thin line,
// widens, holds full width (only then can it graze or hit) and fades.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "enemy/enemy_tama.h"
#include "objects/block_pool.h"

namespace vuzed {

// The turned quad a segment last drew. The segments of a beam are laid
// together, so they share their picture, angle, width and opacity: a beam
// drawing its segments in turn works the quad out once a frame.
struct TSegmentQuad {
  bool Known = false;
  const TMXTexture* Picture = nullptr;
  float Width = 0, Height = 0;
  uint32_t Color = 0, AngleBits = 0;
  std::array<TSpriteVertex, 4> Vertices{};
};

// One segment of a laser.
class TEnemyTamaLaserBullet : public TEnemyBullet1 {
 public:
  TEnemyTamaLaserBullet(TPlayfield& playfield, float x, float y, float angle, int32_t picture);
  void Draw() override;
  // Draws with the quad the segment before drew when it is this one's too.
  void DrawAfter(TSegmentQuad& last);
  const char* ClassName() const override { return "TEnemyTamaLaserBullet"; }
  // One frame of the segment's life (width, opacity, death).
  void LifeStep();
  // W <= T < W + D: the segment is at full width.
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
  TEnemyTamaLaser1* AsLaser() override { return this; }
  bool Step() override { return StepAs(*this); }
  // A finished laser is done with: it leaves the bullet list like a bullet
  // off the playfield. Otherwise a laser never leaves by position.
  bool IsOut() const override;
  // The per-frame graze and hit test against the player, for fixed and
  // turning lasers alike (a turning beam's segments carry a quarter of the
  // hit width as their radius and graze and hit like any other).
  void TestPlayer();

  using TSegmentList =
      std::vector<std::unique_ptr<TEnemyTamaLaserBullet>, TBlockPoolAllocator<std::unique_ptr<TEnemyTamaLaserBullet>>>;
  TSegmentList Segments;
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
