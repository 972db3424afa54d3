// The ship's firing and bombing, once per frame after it moved.

#include "engine/input/dik_codes.h"
#include "engine/input/input_device.h"
#include "player/player.h"
#include "player/player_control.h"
#include "player/player_support.h"
#include "game/field_objects.h"
#include "game/game_context.h"
#include "game/play_state.h"

namespace vuzed {
namespace {

// Held Tab makes every shot of a volley hit for this much (a tester's key).
constexpr int32_t kTabDamage = 100;

bool ButtonDown(const TGameContext& context, int32_t button) {
  return context.Ruzud1 && context.Ruzud1->IsPressed(button);
}

}  // namespace

void TPlayer::Attack() {
  // Nothing is fired or bombed while a dialogue is on screen.
  if (Context_.Play && Context_.Play->DialogueFrame != -1) return;
  if (!Alive || !Control_) return;

  // A running bomb frees every enemy bullet each frame; its spiral starts
  // 30 frames in.
  if (BombTimer > 0) {
    if (Context_.FieldObjects) Context_.FieldObjects->ClearBullets();
    if (BombTimer < kSpiralStart) Control_->LaunchSpiralStep(BombTimer, X, Y);
  }

  if ((ButtonDown(Context_, Context_.ShotButton) || ButtonDown(Context_, 0)) && ShotCooldown <= 0) {
    const int32_t damage = ShipKeyDown(Context_, dik::TAB) ? kTabDamage : PowerLevel;
    if (Control_->FireVolley(ShipSlowHeld(Context_), damage, X, Y)) {
      ShotCooldown = kVolleyInterval;
      ShipRestartChannel(Context_, kShotChannel);
    }
  }

  if ((ButtonDown(Context_, 1) || ButtonDown(Context_, Context_.BombButton)) && BombTimer == 0 && Bombs > 0) Bomb();

  if (ShotCooldown > 0) --ShotCooldown;
}

void TPlayer::Bomb() {
  --Bombs;
  BombTimer = kBombFrames;
  // A bomb during a spell card costs half of its bonus.
  if (Context_.Play && Context_.Play->BossActive) ShipHalveSpellBonus(Context_);
}

}  // namespace vuzed
