#include "player/player.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "back/background.h"
#include "back/texture_list.h"
#include "engine/graphics/scene.h"
#include "engine/graphics/texture.h"
#include "engine/input/input_device.h"
#include "player/player_control.h"
#include "player/player_support.h"
#include "game/playfield.h"
#include "game/play_state.h"

namespace vuzed {
namespace {

constexpr float kSpeed = 4;          // pixels per frame, straight
constexpr double kDiagonal = 1.414;  // both directions held: each step divided by this
constexpr int32_t kLevelPicture = 1;
constexpr int32_t kRightPicture = 2;  // then 3 once banked fully
constexpr int32_t kLeftPicture = 4;   // then 5
constexpr int32_t kHitMarkerPicture = 11;
constexpr int32_t kAlphaBlend = 2;

// Where the ship may go, by layout. The last layout ("SLANT") has no bounds.
struct TShipBounds {
  float MaxX, MaxY;
};
constexpr std::array<TShipBounds, 2> kBounds = {{{400, 440}, {640, 640}}};

const TMXTexture* PlayerPicture(const TPlayfield& playfield, int32_t number) {
  return playfield.Textures ? playfield.Textures->Get(TPictureTable::Player, number) : nullptr;
}

}  // namespace

TPlayer::TPlayer(TPlayfield& playfield) : Field_(playfield) {}

void ShipStep(int32_t stickX, int32_t stickY, bool slow, float& dx, float& dy) {
  dx = kSpeed * float(stickX);
  dy = kSpeed * float(stickY);
  if (stickX != 0 && stickY != 0) {
    dx = float(double(dx) / kDiagonal);
    dy = float(double(dy) / kDiagonal);
  }
  if (slow) {
    dx /= 2;
    dy /= 2;
  }
}

bool ShipBounds(uint8_t layout, float& maxX, float& maxY) {
  if (layout >= kBounds.size()) return false;
  maxX = kBounds[layout].MaxX;
  maxY = kBounds[layout].MaxY;
  return true;
}

void TPlayer::Move() {
  if (!Alive) return;
  std::array<int32_t, 12> directions{};
  if (Field_.Pad) directions = Field_.Pad->GetDirections();
  const int32_t stickX = directions[0], stickY = directions[1];

  float dx = 0, dy = 0;
  ShipStep(stickX, stickY, ShipSlowHeld(Field_), dx, dy);
  Y += dy;
  X += dx;

  // One bank counter serves both directions.
  if (stickX != 0) {
    const int32_t first = stickX < 0 ? kLeftPicture : kRightPicture;
    if (BankCounter < kBankFrames) {
      PictureID = first;
      ++BankCounter;
    } else {
      PictureID = first + 1;
    }
  } else {
    PictureID = kLevelPicture;
    BankCounter = 0;
  }

  if (float maxX = 0, maxY = 0; ShipBounds(Field_.LayoutMode, maxX, maxY)) {
    if (X > maxX) X = maxX;
    if (X < 0) X = 0;
    if (Y < 0) Y = 0;
    if (Y > maxY) Y = maxY;
  }
}

void TPlayer::UpdateTimers() {
  if (BombTimer > 0) --BombTimer;
  if (InvulnerableTimer > 0) --InvulnerableTimer;
  if (DeathTimer > 0) {
    --DeathTimer;
    if (DeathTimer % 5 == 0) {
      ShipAddExplosion(Field_, X, Y);
      ShipRestartChannel(Field_, kExplosionChannel);
    }
  }
}

void TPlayer::Hit(int32_t damage) {
  if (InvulnerableTimer > 0) return;
  ++HitsTaken;
  if (Control_ && Control_->Invincible) return;
  // A script may give a bullet any damage; hit points stop at the integer range.
  Hp = int32_t(std::clamp<int64_t>(int64_t(Hp) - damage, INT32_MIN, INT32_MAX));
  if (Hp > 0) {
    if (Field_.Play && Field_.Play->BossActive) {
      Field_.Play->SpellBonusValid = 0;
      ShipHalveSpellBonus(Field_);
    }
    for (int i = 0; i < 3; ++i) ShipAddExplosion(Field_, X, Y);
    ShipRestartChannel(Field_, kExplosionChannel);
  }
  // Exactly 0 hit points left is survived; the next hit kills.
  if (Hp < 0 && DeathTimer == 0) {
    Alive = false;
    DeathTimer = kDeathFrames;
  }
}

void TPlayer::DrawCentred(const TMXTexture* picture) {
  if (!picture || !Field_.Background) return;
  const auto quad = CentredQuad(float(picture->Width()), float(picture->Height()), 0, 0xFFFFFFFF, 0, 0, picture->MaxU(),
                                picture->MaxV());
  const TPoint2 at = MakePoint(X + float(Field_.FieldOriginX), Y + float(Field_.FieldOriginY));
  Field_.Background->Scene().DrawSprite(at, quad, picture, kAlphaBlend, true, true, 0);
}

// The ship does not blink while invulnerable.
void TPlayer::Draw() {
  if (Hidden()) return;
  DrawCentred(PlayerPicture(Field_, PictureID));
}

// The marker belongs to the ship on screen: none once the game is over or
// while the dying ship is already hidden.
void TPlayer::DrawHitMarker() {
  if (!InPlay || Hidden()) return;
  if (!ShipSlowHeld(Field_)) return;
  DrawCentred(PlayerPicture(Field_, kHitMarkerPicture));
}

}  // namespace vuzed
