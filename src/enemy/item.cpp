#include "enemy/item.h"

#include <cmath>

#include "back/background.h"
#include "back/texture_list.h"
#include "objects/circle_test.h"
#include "engine/graphics/scene.h"
#include "engine/graphics/texture.h"
#include "player/player_control.h"
#include "script/random_generator.h"
#include "game/playfield.h"

namespace vuzed {
namespace {

// Falling speed by age in steps of 10 frames: rising for 20 frames, then
// slowing, stopping and falling ever faster up to 3 pixels per frame.
constexpr float kFallSchedule[] = {-1, -1, -0.5f, 0, 0.5f, 1, 1.5f, 2, 2.5f, 3};
constexpr float kHomingSpeed = 10;
constexpr int32_t kPickUpRadius = 10;
constexpr int kItemPicture = 21;  // else picture of the power item

}  // namespace

TPowerItem::TPowerItem(TPlayfield& playfield, int32_t x, int32_t y) : Field_(playfield) {
  const int32_t r1 = int32_t(NextRandom(playfield.RandSeed, 10));
  const int32_t r2 = int32_t(NextRandom(playfield.RandSeed, 10));
  X = float(int64_t(x) + r1 - 5);
  Y = float(int64_t(y) - r2);
  Atari = kPickUpRadius;
}

void TPowerItem::Action() { ++Age; }

void TPowerItem::Move() {
  // Ages past the schedule keep its last speed; a score item never ages.
  if (!Homing && Age >= 0) IdouY = kFallSchedule[Age / 10 < 9 ? Age / 10 : 9];
  if (Homing && Field_.Player) {
    const TPlayer& ship = Field_.Player->Ship;
    const double angle = std::atan2(double(ship.Y) - double(Y), double(ship.X) - double(X));
    IdouY = float(kHomingSpeed * std::sin(angle));
    IdouX = float(kHomingSpeed * std::cos(angle));
  }
  Y = Y + IdouY;
  X = X + IdouX;
}

bool TPowerItem::Collected() const {
  if (!Field_.Player) return false;
  const TPlayer& ship = Field_.Player->Ship;
  return CirclesTouch(X, Y, Atari, ship.X, ship.Y, ship.GrazeRadius);
}

bool TPowerItem::IsOut() const {
  switch (Field_.LayoutMode) {
    case LayoutVertical:
      return X < 0 || X > 445 || Y < -15 || Y > 490;
    case LayoutSideways:
    case LayoutSlant:
      return X < -30 || X > 670 || Y < -30 || Y > 510;
    default:
      return false;
  }
}

void TPowerItem::Draw() {
  if (!Field_.Textures || !Field_.Background) return;
  const TMXTexture* picture = Field_.Textures->Get(TPictureTable::Else, kItemPicture);
  if (!picture) return;
  const auto quad = CentredQuad(float(picture->Width()), float(picture->Height()), 0, 0xFFFFFFFF, 0, 0, picture->MaxU(),
                                picture->MaxV());
  Field_.Background->Scene().DrawSprite(MakePoint(X + float(Field_.FieldOriginX), Y + float(Field_.FieldOriginY)),
                                        quad, picture, 2, false, true, 0);
}

}  // namespace vuzed
