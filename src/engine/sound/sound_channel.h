#pragma once
// TZudezuChannel: one mixer channel of the sound component. The game puts a
// sound in (SetWaveData), sets the volume and starts or stops it. Everything
// does nothing while the component is uninitialised or the channel is empty.
//
// Volume is a property of the buffer the channel plays: a sound newly put in
// plays at full volume until SetVolume (the channel remembers the last value
// set). A streaming or no-duplicate sound is one buffer shared by every
// channel it is put into.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/sound/sound_3d.h"

namespace vuzed {

class MixBuffer;
class TZudezu;
class TZudezuGenWave;

class TZudezuChannel {
 public:
  // A spare channel that belongs to no component: every call does nothing.
  TZudezuChannel() = default;
  TZudezuChannel(TZudezu& owner, int index);

  // The sound to play, or null for none. A channel holding a streaming sound
  // ignores the same sound again and stops before taking another one. A
  // static sound gets a fresh duplicate every time (also the same sound
  // again). An empty sound leaves the channel empty.
  void SetWaveData(TZudezuGenWave* wave);
  // The sound last put in (not owned), or null.
  TZudezuGenWave* WaveData() const { return Wave_; }

  // Hundredths of a decibel: 0 full, -10000 silent.
  void SetVolume(int32_t hundredthsDb);
  int32_t Volume() const { return Volume_; }
  // Rewind to the start and play once / looping.
  void Play();
  void PlayLoop();
  // Stop; the position stays.
  void Stop();
  // 1 playing, 5 playing looped, 0 stopped or empty.
  int Status() const;
  // Frames into the sound (0 when empty).
  size_t PlayPosition() const;

  bool Is3D() const { return Is3D_; }
  const TZudezuParams3D& Params3D() const { return Params3D_; }
  void SetParams3D(const TZudezuParams3D& params) { Params3D_ = params; }
  // The sample rate of the sound put in, and the factor it is played at.
  uint32_t SampleRate() const { return SampleRate_; }
  double FrequencyFactor() const { return FrequencyFactor_; }

 private:
  bool Usable() const;

  TZudezu* Owner_ = nullptr;
  int Index_ = -1;
  std::shared_ptr<MixBuffer> Buffer_;
  TZudezuGenWave* Wave_ = nullptr;
  uint64_t WaveSerial_ = 0;
  bool Streaming_ = false;
  bool Is3D_ = false;
  uint32_t SampleRate_ = 0;
  double FrequencyFactor_ = 1.0;
  int32_t Volume_ = 0;
  TZudezuParams3D Params3D_{};
};

}  // namespace vuzed
