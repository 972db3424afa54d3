#pragma once
// TZudezu: the sound component with its channels. Until the mixer is built
// the component stays uninitialised, exactly as it does on a machine without
// an audio device: every call does nothing and no sound loads.

#include <array>
#include <memory>
#include <string>

namespace vuzed {

// A loaded sound; one sound may sit on several channels at once.
class TZudezuWaveData {
 public:
  virtual ~TZudezuWaveData() = default;
};

class TZudezuChannel {
 public:
  void SetWaveData(TZudezuWaveData* wave) { Wave_ = wave; }
  TZudezuWaveData* WaveData() const { return Wave_; }
  void SetVolume(int hundredthsDb) { Volume_ = hundredthsDb; }
  int Volume() const { return Volume_; }
  void Play() {}
  void PlayLoop() {}
  void Stop() {}
  // 1 playing once, 5 looping, 0 stopped or empty.
  int Status() const { return 0; }

 private:
  TZudezuWaveData* Wave_ = nullptr;
  int Volume_ = 0;
};

class TZudezu {
 public:
  static constexpr int kChannelCount = 12;

  bool Initialized() const { return false; }
  // Index outside 0..11 gives a spare channel that plays nothing.
  TZudezuChannel& Channel(int index);

 private:
  std::array<TZudezuChannel, kChannelCount> Channels_{};
  TZudezuChannel Spare_{};
};

}  // namespace vuzed
