#include "player/player_support.h"

#include <cmath>
#include <memory>

#include "back/sound_list.h"
#include "engine/input/dik_codes.h"
#include "engine/input/input_device.h"
#include "engine/platform/input_source.h"
#include "engine/sound/sound_channel.h"
#include "engine/sound/sound_device.h"
#include "engine/sound/wave_data.h"
#include "script/random_generator.h"
#include "game/field_objects.h"
#include "game/playfield.h"
#include "game/play_state.h"

namespace vuzed {

bool ShipKeyDown(TPlayfield& playfield, uint8_t dik) {
  return playfield.Keys && playfield.Keys->IsKeyDown(dik);
}

bool ShipSlowHeld(TPlayfield& playfield) {
  if (ShipKeyDown(playfield, dik::LSHIFT) || ShipKeyDown(playfield, dik::RSHIFT)) return true;
  return playfield.Pad && playfield.Pad->IsPressed(playfield.SlowButton);
}

void ShipRestartChannel(TPlayfield& playfield, int channel) {
  if (!playfield.Mixer) return;
  TZudezuChannel& ch = playfield.Mixer->Channel(channel);
  ch.Stop();
  ch.Play();
}

void ShipTakeShotChannel(TPlayfield& playfield) {
  if (!playfield.Mixer) return;
  TZudezuChannel& channel = playfield.Mixer->Channel(kShotChannel);
  channel.SetWaveData(playfield.Sounds ? playfield.Sounds->Get(kShotSound) : nullptr);
  channel.SetVolume(kShotVolume);
}

void ShipRestartShotChannel(TPlayfield& playfield) {
  if (!playfield.Mixer) return;
  const TZudezuWaveData* shot = playfield.Sounds ? playfield.Sounds->Get(kShotSound) : nullptr;
  if (playfield.Mixer->Channel(kShotChannel).WaveData() != shot) ShipTakeShotChannel(playfield);
  ShipRestartChannel(playfield, kShotChannel);
}

void ShipAddExplosion(TPlayfield& playfield, float x, float y) {
  const double r1 = NextRandom(playfield.RandSeed, 100);
  const double r2 = NextRandom(playfield.RandSeed, 100);
  if (!playfield.FieldObjects) return;
  playfield.FieldObjects->AddExplosion(float(double(x) + r1 - 50), float(double(y) + r2 - 50));
}

void ShipHalveSpellBonus(TPlayfield& playfield) {
  if (!playfield.Play) return;
  // The current rounding mode is round-to-nearest, ties to even.
  playfield.Play->SpellBonus = int32_t(std::nearbyint(double(playfield.Play->SpellBonus) / 2.0));
}

}  // namespace vuzed
