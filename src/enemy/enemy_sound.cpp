#include "enemy/enemy_sound.h"

#include <algorithm>

#include "back/sound_list.h"
#include "engine/sound/sound_channel.h"
#include "engine/sound/sound_device.h"
#include "engine/sound/wave_data.h"
#include "game/playfield.h"
#include "game/play_state.h"

namespace vuzed {
namespace {

TZudezu* Device(TPlayfield& playfield) {
  TZudezu* sound = playfield.Mixer;
  return sound && sound->Initialized() ? sound : nullptr;
}

}  // namespace

void RestartChannel(TPlayfield& playfield, int channel) {
  if (TZudezu* sound = Device(playfield)) {
    sound->Channel(channel).Stop();
    sound->Channel(channel).Play();
  }
}

void RestartChannelIfIdle(TPlayfield& playfield, int channel) {
  if (TZudezu* sound = Device(playfield); sound && sound->Channel(channel).Status() == 0)
    RestartChannel(playfield, channel);
}

void PlayScriptSound(TPlayfield& playfield, int32_t number) {
  TZudezu* sound = Device(playfield);
  TZudezuWaveData* wave = playfield.Sounds ? playfield.Sounds->Get(number) : nullptr;
  if (!sound || !wave) return;
  TZudezuChannel& channel = sound->Channel(kScriptSoundChannel);
  channel.SetWaveData(wave);
  // A volume setting outside its range gives a volume clamped into int32,
  // never an overflow.
  const int64_t setting = playfield.Play ? playfield.Play->SEVolume : 0;
  channel.SetVolume(int32_t(std::clamp<int64_t>(setting * 50 - 5000, INT32_MIN, INT32_MAX)));
  channel.Play();
}

}  // namespace vuzed
