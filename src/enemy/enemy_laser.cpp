// Lasers: the segment's life (thin line, widening, full width, fading), the
// fixed and the turning beam, drawing, and the beam's test against the player.

#include "enemy/enemy_laser.h"

#include <algorithm>
#include <cmath>

#include "back/background.h"
#include "back/texture_list.h"
#include "objects/circle_test.h"
#include "enemy/enemy_tama_math.h"
#include "engine/graphics/scene.h"
#include "engine/graphics/texture.h"
#include "objects/string_helpers.h"
#include "player/player_control.h"
#include "game/playfield.h"

namespace vuzed {
namespace {

// Segments lie this many pixels apart along the beam.
constexpr int32_t kSegmentStep = 4;
// The beam is laid while its last point is inside the 640 x 480 screen area.
constexpr int32_t kScreenWidth = 640;
constexpr int32_t kScreenHeight = 480;
// No beam inside the screen is longer than its diagonal (800 pixels): its
// list of segments, made at that size, comes from the block pool like the
// bullets.
constexpr std::size_t kMostSegments = 800 / kSegmentStep + 2;
static_assert(kMostSegments * sizeof(TLaserSegment) <= TBlockPool::kLargestBlock);
// Frames of widening before WarmUp and of fading after WarmUp + Duration.
constexpr int64_t kFadeFrames = 40;
constexpr uint8_t kThinAlpha = 175;
constexpr int32_t kHitCooldownFrames = 10;
constexpr int32_t kAlphaBlend = 2;

}  // namespace

TEnemyTamaLaser1* TEnemyTama::AsLaser() { return IsLaser_ ? static_cast<TEnemyTamaLaser1*>(this) : nullptr; }

// ---- One segment ----

TEnemyTamaLaserBullet::TEnemyTamaLaserBullet(TPlayfield& playfield, float angle, int32_t picture)
    : TEnemyBullet1(playfield, 0, 0, angle, 0.0f, picture) {}

bool TEnemyTamaLaserBullet::AtFullWidth() const {
  const int64_t t = LifeCount, w = WarmUp, d = Duration;
  return w <= t && t < w + d;
}

// T = LifeCount, W = WarmUp, D = Duration. Thin (1 pixel, alpha 175) until
// 40 frames before W, widening to full width until W, full width for D
// frames, fading over 40 frames. The frames W - 40 and W + D keep what the
// frame before set. With W below 40 the widening starts at once from alpha 0.
void TEnemyTamaLaserBullet::LifeStep() {
  ++LifeCount;
  const int64_t t = LifeCount, w = WarmUp, d = Duration;
  if (t < w - kFadeFrames) {
    Scale = 1.0f / FullWidth;
    Alpha = kThinAlpha;
  }
  if (w - kFadeFrames < t && t < w) {
    Scale = float(t) / float(w);
    Alpha = uint8_t(Alpha + 2);
  }
  if (w <= t && t < w + d) Scale = 1.0f;
  if (t > w + d) {
    Scale = 1.0f - float(t - w - d) / float(kFadeFrames);
    Alpha = uint8_t(Alpha - 2);
  }
  // "At or past" rather than "at": a warm-up and duration adding up to less
  // than -40 would otherwise leave a segment that never ends.
  if (t >= w + d + kFadeFrames) Dead = true;
}

void TEnemyTamaLaserBullet::DrawSegments(std::span<const TLaserSegment> segments) {
  const TMXTexture* picture = DrawnPicture();
  if (!picture || !Field_.Background || segments.empty()) return;
  const float width = float(picture->Width());
  const float height = float(RoundToInt32(FullWidth * Scale));
  const uint32_t color = (uint32_t(Alpha) << 24) | 0xFFFFFFu;
  const auto quad = CentredQuad(width, height, Angle, color, 0, 0, picture->MaxU(), picture->MaxV());
  auto& scene = Field_.Background->Scene();
  const float originX = float(Field_.FieldOriginX), originY = float(Field_.FieldOriginY);
  for (const TLaserSegment& segment : segments)
    scene.DrawSprite(MakePoint(originX + segment.TamaX, originY + segment.TamaY), quad, picture, kAlphaBlend, false,
                     true, 0);
}

// ---- The fixed beam ----

// From (Round(x), Round(y)), while the last point is strictly inside the
// screen area, the next point 4 pixels further along the angle is rounded
// and gets a segment; the last segment may lie just outside, and an origin
// outside gives no segments. The laser object itself stays at (0, 0) with
// radius 0 and deals no damage.
TEnemyTamaLaser1::TEnemyTamaLaser1(TPlayfield& playfield, float x, float y, float angle, float width,
                                   float hitWidth, int32_t warmUp, int32_t duration, int32_t picture)
    : TEnemyTama(playfield), Look(playfield, angle, picture) {
  HitDamage = 0;
  IsLaser_ = true;
  Look.HitDamage = 1;
  Look.Atari = RoundToInt32(hitWidth / 2.0f);
  Look.WarmUp = warmUp;
  Look.Duration = duration;
  Look.FullWidth = width;
  Look.Scale = 1.0f / width;
  const double cosA = CosOfDegrees(double(angle));
  const double sinA = SinOfDegrees(double(angle));
  Segments.reserve(kMostSegments);
  int32_t px = RoundToInt32(x), py = RoundToInt32(y);
  int32_t k = 0;
  while (0 < px && px < kScreenWidth && 0 < py && py < kScreenHeight) {
    k += kSegmentStep;
    px = RoundToInt32(double(x) + double(k) * cosA);
    py = RoundToInt32(double(y) + double(k) * sinA);
    Segments.push_back({float(px), float(py), false});
  }
}

// The segments all end in the same frame; a beam without segments is
// finished at once.
void TEnemyTamaLaser1::Action() {
  Look.LifeStep();
  if (Look.Dead) Segments.clear();
  if (Segments.empty()) Finished = true;
}

void TEnemyTamaLaser1::Draw() { Look.DrawSegments(Segments); }

bool TEnemyTamaLaser1::IsOut() const { return Finished; }

// Only segments at full width take part. Each segment grazes once in its
// life; every touching segment can hit in the same frame, and a hit keeps
// the whole laser from testing for the next 10 frames. Segments are never
// removed by hitting.
void TEnemyTamaLaser1::TestPlayer() {
  if (HitCooldown >= 1) {
    --HitCooldown;
    return;
  }
  if (!Field_.Player || !Look.AtFullWidth()) return;
  TPlayer& ship = Field_.Player->Ship;
  for (TLaserSegment& segment : Segments) {
    if (!CirclesTouch(segment.TamaX, segment.TamaY, Look.Atari, ship.X, ship.Y, ship.GrazeRadius)) continue;
    if (!segment.Grazed) {
      ++ship.Graze;
      segment.Grazed = true;
    }
    if (CirclesTouch(segment.TamaX, segment.TamaY, Look.Atari, ship.X, ship.Y, ship.Atari)) {
      ship.Hit(Look.HitDamage);
      HitCooldown = kHitCooldownFrames;
    }
  }
}

// ---- The turning beam ----

// Segment radii are a quarter of the hit width; the beam turns around the
// rounded origin.
TEnemyTamaLaser2::TEnemyTamaLaser2(TPlayfield& playfield, float x, float y, float angle, float width,
                                   float hitWidth, int32_t warmUp, int32_t duration, int32_t picture, float spin)
    : TEnemyTamaLaser1(playfield, x, y, angle, width, hitWidth / 2.0f, warmUp, duration, picture),
      Spin(spin),
      CurAngle(angle),
      OriginX(RoundToInt32(x)),
      OriginY(RoundToInt32(y)) {}

// Segment a (from 0) goes to the rounded point a * 4 pixels along the new
// direction; segment 0 sits on the origin. The pictures keep the direction
// they were created with.
void TEnemyTamaLaser2::Move() {
  CurAngle = CurAngle + Spin;
  const double cosA = CosOfDegrees(double(CurAngle));
  const double sinA = SinOfDegrees(double(CurAngle));
  // Every point of a beam near the playfield lies far inside the range of
  // whole numbers a double rounds exactly by the 1.5 * 2^52 addition (half
  // to even, as RoundToInt32 does, without its checks for the far ends).
  constexpr double kRounder = 6755399441055744.0;
  constexpr double kNear = 1 << 30;
  const double reach = double(Segments.size()) * kSegmentStep;
  const bool near = std::isfinite(cosA) && std::isfinite(sinA) && std::fabs(double(OriginX)) + reach < kNear &&
                    std::fabs(double(OriginY)) + reach < kNear;
  for (std::size_t a = 0; a < Segments.size(); ++a) {
    const double along = double(a) * kSegmentStep;
    const double x = along * cosA + double(OriginX);
    const double y = along * sinA + double(OriginY);
    if (near) {
      Segments[a].TamaX = float(int32_t((x + kRounder) - kRounder));
      Segments[a].TamaY = float(int32_t((y + kRounder) - kRounder));
    } else {
      Segments[a].TamaX = float(RoundToInt32(x));
      Segments[a].TamaY = float(RoundToInt32(y));
    }
  }
}

}  // namespace vuzed
