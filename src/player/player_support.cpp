#include "player/player_support.h"

#include <cmath>
#include <memory>

#include "engine/input/dik_codes.h"
#include "engine/input/input_device.h"
#include "engine/platform/input_source.h"
#include "engine/sound/sound_channel.h"
#include "engine/sound/sound_device.h"
#include "script/random_generator.h"
#include "game/field_objects.h"
#include "game/game_context.h"
#include "game/play_state.h"

namespace vuzed {

bool ShipKeyDown(TGameContext& context, uint8_t dik) {
  return context.Platform.Input && context.Platform.Input->IsKeyDown(dik);
}

bool ShipSlowHeld(TGameContext& context) {
  if (ShipKeyDown(context, dik::LSHIFT) || ShipKeyDown(context, dik::RSHIFT)) return true;
  return context.Ruzud1 && context.Ruzud1->IsPressed(context.SlowButton);
}

void ShipRestartChannel(TGameContext& context, int channel) {
  if (!context.Zudezu1) return;
  TZudezuChannel& ch = context.Zudezu1->Channel(channel);
  ch.Stop();
  ch.Play();
}

void ShipAddExplosion(TGameContext& context, float x, float y) {
  const double r1 = NextRandom(context.RandSeed, 100);
  const double r2 = NextRandom(context.RandSeed, 100);
  if (!context.FieldObjects) return;
  context.FieldObjects->AddExplosion(float(double(x) + r1 - 50), float(double(y) + r2 - 50));
}

void ShipHalveSpellBonus(TGameContext& context) {
  if (!context.Play) return;
  // The current rounding mode is round-to-nearest, ties to even.
  context.Play->SpellBonus = int32_t(std::nearbyint(double(context.Play->SpellBonus) / 2.0));
}

}  // namespace vuzed
