// The ship's firing and bombing, once per frame after it moved.

#include "engine/input/dik_codes.h"
#include "engine/input/input_device.h"
#include "player/player.h"
#include "player/player_control.h"
#include "player/player_support.h"
#include "game/field_objects.h"
#include "game/playfield.h"
#include "game/play_state.h"

namespace vuzed {
namespace {

// Held Tab makes every shot of a volley hit for this much (a tester's key).
constexpr int32_t kTabDamage = 100;

bool ButtonDown(const TPlayfield& playfield, int32_t button) {
  return playfield.Pad && playfield.Pad->IsPressed(button);
}

}  // namespace

void TPlayer::Attack() {
  // Nothing is fired or bombed while a dialogue is on screen.
  if (Field_.Play && Field_.Play->DialogueFrame != -1) return;
  if (!Alive || !Control_) return;

  // A running bomb frees every enemy bullet each frame; its spiral starts
  // 30 frames in.
  if (BombTimer > 0) {
    if (Field_.FieldObjects) Field_.FieldObjects->ClearBullets();
    if (BombTimer < kSpiralStart) Control_->LaunchSpiralStep(BombTimer, X, Y);
  }

  if ((ButtonDown(Field_, Field_.ShotButton) || ButtonDown(Field_, 0)) && ShotCooldown <= 0) {
    const int32_t damage = ShipKeyDown(Field_, dik::TAB) ? kTabDamage : PowerLevel;
    if (Control_->FireVolley(ShipSlowHeld(Field_), damage, X, Y)) {
      ShotCooldown = kVolleyInterval;
      ShipRestartShotChannel(Field_);
    }
  }

  if ((ButtonDown(Field_, 1) || ButtonDown(Field_, Field_.BombButton)) && BombTimer == 0 && Bombs > 0) Bomb();

  if (ShotCooldown > 0) --ShotCooldown;
}

void TPlayer::Bomb() {
  --Bombs;
  BombTimer = kBombFrames;
  // A bomb during a spell card costs half of its bonus.
  if (Field_.Play && Field_.Play->BossActive) ShipHalveSpellBonus(Field_);
}

}  // namespace vuzed
