#pragma once
// An audio device without a sound card: nothing is pulled on its own; tests
// call Pull to take the next frames from the mixer, from any thread.

#include <mutex>
#include <vector>

#include "engine/platform/audio_backend.h"

namespace vuzed {

class HeadlessAudioBackend : public AudioBackend {
 public:
  // Available = false behaves like a machine without an audio device.
  explicit HeadlessAudioBackend(bool available = true) : Available_(available) {}

  bool Open(int rate, int channels, Puller puller) override;
  void Close() override;
  void Lock() override { Mutex_.lock(); }
  void Unlock() override { Mutex_.unlock(); }

  // The next frames of the open device (silence when closed).
  std::vector<int16_t> Pull(size_t frames);
  bool IsOpen() const;
  int Rate() const { return Rate_; }
  int Channels() const { return Channels_; }

 private:
  bool Available_;
  mutable std::mutex Mutex_;
  Puller Puller_;
  int Rate_ = 0;
  int Channels_ = 2;
};

}  // namespace vuzed
