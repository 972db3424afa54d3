#include "player/player_shot.h"

#include <cmath>

#include "back/background.h"
#include "back/texture_list.h"
#include "engine/graphics/scene.h"
#include "engine/graphics/texture.h"
#include "objects/rounding.h"
#include "objects/string_helpers.h"
#include "game/game_context.h"

namespace vuzed {
namespace {

// The "VERTICAL" playfield as far as shots are concerned.
constexpr float kOutLeft = -30, kOutRight = 430, kOutTop = -30, kOutBottom = 510;

constexpr uint32_t kShotColor = 0x55FFFFFF;
constexpr uint32_t kBombShotColor = 0xFFFFFFFF;
constexpr int32_t kAlphaBlend = 2;

const TMXTexture* BulletPicture(const TGameContext& context, int32_t number) {
  return context.TextureList ? context.TextureList->Get(TPictureTable::Bullet, number) : nullptr;
}

}  // namespace

TPlayerTama::TPlayerTama(TGameContext& context, int32_t picture)
    : Picture(BulletPicture(context, picture)), Context_(context) {
  Atari = kHitRadius;
  X = -100;
  Y = -100;
}

void TPlayerTama::Start(int32_t damage, float angle, float x, float y, float speed) {
  X = x;
  Y = y;
  SetMovementFromAngle(*this, angle, speed);
  // The stored angle is whole degrees, rounded half to even.
  Angle = RoundToInt32(angle);
  Damage = damage;
  Active = true;
}

void TPlayerTama::Launch(int32_t damage, float angle, float x, float y) { Start(damage, angle, x, y, kSpeed); }

void TPlayerBombTama::LaunchBomb(int32_t picture, float angle, float x, float y) {
  Start(kDamage, angle, x, y, kSpeed);
  Picture = BulletPicture(Context_, picture);
}

bool TPlayerTama::IsOut() const {
  if (Context_.LayoutMode != LayoutVertical) return false;
  return X < kOutLeft || X > kOutRight || Y < kOutTop || Y > kOutBottom;
}

void TPlayerTama::Move() {
  if (!Active) return;
  TCharacter::Move();
  if (IsOut()) Active = false;
}

void TPlayerTama::DrawTinted(uint32_t color) const {
  if (!Picture || !Context_.BackGround) return;
  const auto corners = RotateQuad(float(Picture->Width()), float(Picture->Height()), float(Angle));
  const float u = Picture->MaxU(), v = Picture->MaxV();
  const TSpriteVertex quad[4] = {
      MakeSpriteVertex(color, corners[0].X, corners[0].Y, 0, 0),
      MakeSpriteVertex(color, corners[1].X, corners[1].Y, u, 0),
      MakeSpriteVertex(color, corners[2].X, corners[2].Y, 0, v),
      MakeSpriteVertex(color, corners[3].X, corners[3].Y, u, v),
  };
  const TPoint2 at = MakePoint(X + float(Context_.FieldOriginX), Y + float(Context_.FieldOriginY));
  Context_.BackGround->Scene().DrawSprite(at, quad, Picture, kAlphaBlend, false, true, 0);
}

void TPlayerTama::Draw() { DrawTinted(kShotColor); }

void TPlayerBombTama::Draw() { DrawTinted(kBombShotColor); }

}  // namespace vuzed
