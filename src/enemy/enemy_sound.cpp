#include "enemy/enemy_sound.h"

#include <algorithm>

#include "back/sound_list.h"
#include "engine/sound/sound_channel.h"
#include "engine/sound/sound_device.h"
#include "engine/sound/wave_data.h"
#include "game/game_context.h"
#include "game/play_state.h"

namespace vuzed {
namespace {

TZudezu* Device(TGameContext& context) {
  TZudezu* sound = context.Zudezu1.get();
  return sound && sound->Initialized() ? sound : nullptr;
}

}  // namespace

void RestartChannel(TGameContext& context, int channel) {
  if (TZudezu* sound = Device(context)) {
    sound->Channel(channel).Stop();
    sound->Channel(channel).Play();
  }
}

void RestartChannelIfIdle(TGameContext& context, int channel) {
  if (TZudezu* sound = Device(context); sound && sound->Channel(channel).Status() == 0) RestartChannel(context, channel);
}

void PlayScriptSound(TGameContext& context, int32_t number) {
  TZudezu* sound = Device(context);
  TZudezuWaveData* wave = context.SoundList ? context.SoundList->Get(number) : nullptr;
  if (!sound || !wave) return;
  TZudezuChannel& channel = sound->Channel(kScriptSoundChannel);
  channel.SetWaveData(wave);
  // A volume setting outside its range gives a volume clamped into int32,
  // never an overflow.
  const int64_t setting = context.Play ? context.Play->SEVolume : 0;
  channel.SetVolume(int32_t(std::clamp<int64_t>(setting * 50 - 5000, INT32_MIN, INT32_MAX)));
  channel.Play();
}

}  // namespace vuzed
