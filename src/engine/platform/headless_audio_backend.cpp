#include "engine/platform/headless_audio_backend.h"

namespace vuzed {

bool HeadlessAudioBackend::Open(int rate, int channels, Puller puller) {
  if (!Available_ || rate <= 0 || channels <= 0) return false;
  std::lock_guard lock(Mutex_);
  Puller_ = std::move(puller);
  Rate_ = rate;
  Channels_ = channels;
  return true;
}

void HeadlessAudioBackend::Close() {
  std::lock_guard lock(Mutex_);
  Puller_ = nullptr;
}

bool HeadlessAudioBackend::IsOpen() const {
  std::lock_guard lock(Mutex_);
  return bool(Puller_);
}

std::vector<int16_t> HeadlessAudioBackend::Pull(size_t frames) {
  std::lock_guard lock(Mutex_);
  std::vector<int16_t> out(frames * size_t(Channels_), 0);
  if (Puller_) Puller_(out.data(), frames);
  return out;
}

}  // namespace vuzed
