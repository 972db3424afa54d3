#include "player/player_shot.h"

#include <cmath>

#include "back/background.h"
#include "back/texture_list.h"
#include "engine/graphics/scene.h"
#include "engine/graphics/texture.h"
#include "objects/rounding.h"
#include "objects/string_helpers.h"
#include "game/playfield.h"

namespace vuzed {
namespace {

// The "VERTICAL" playfield as far as shots are concerned.
constexpr float kOutLeft = -30, kOutRight = 430, kOutTop = -30, kOutBottom = 510;

constexpr uint32_t kShotColor = 0x55FFFFFF;
constexpr uint32_t kBombShotColor = 0xFFFFFFFF;
constexpr int32_t kAlphaBlend = 2;

const TMXTexture* BulletPicture(const TPlayfield& playfield, int32_t number) {
  return playfield.Textures ? playfield.Textures->Get(TPictureTable::Bullet, number) : nullptr;
}

}  // namespace

TPlayerTama::TPlayerTama(TPlayfield& playfield, int32_t picture)
    : Picture(BulletPicture(playfield, picture)), Field_(playfield) {
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
  Picture = BulletPicture(Field_, picture);
}

bool TPlayerTama::IsOut() const {
  if (Field_.LayoutMode != LayoutVertical) return false;
  return X < kOutLeft || X > kOutRight || Y < kOutTop || Y > kOutBottom;
}

void TPlayerTama::Move() {
  if (!Active) return;
  TCharacter::Move();
  if (IsOut()) Active = false;
}

void TPlayerTama::DrawTinted(uint32_t color) const {
  if (!Picture || !Field_.Background) return;
  const auto quad = CentredQuad(float(Picture->Width()), float(Picture->Height()), float(Angle), color, 0, 0,
                                Picture->MaxU(), Picture->MaxV());
  const TPoint2 at = MakePoint(X + float(Field_.FieldOriginX), Y + float(Field_.FieldOriginY));
  Field_.Background->Scene().DrawSprite(at, quad, Picture, kAlphaBlend, false, true, 0);
}

void TPlayerTama::Draw() { DrawTinted(kShotColor); }

void TPlayerBombTama::Draw() { DrawTinted(kBombShotColor); }

}  // namespace vuzed
