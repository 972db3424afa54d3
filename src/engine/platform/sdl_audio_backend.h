#pragma once
// The real audio device through SDL2: signed 16-bit frames at the rate and
// channel count asked for (SDL converts when the hardware wants something
// else). SDL_AUDIODRIVER chooses the driver: "dummy" plays nothing,
// "disk" writes the mixed stream to SDL_DISKAUDIOFILE.

#include <memory>
#include <string>

#include "engine/platform/audio_backend.h"

namespace vuzed {

class SdlAudioBackend : public AudioBackend {
 public:
  // What the player reads on stderr when there is no sound to be had; the
  // audio libraries' own messages while SDL looks for a device are silenced.
  static constexpr const char* kSilentLine = "no audio device: playing silently";

  // Starts SDL's audio subsystem. Null, with the reason in error, when SDL
  // has no audio driver here; the game then runs without sound.
  static std::unique_ptr<SdlAudioBackend> Create(std::string& error);
  ~SdlAudioBackend() override;
  SdlAudioBackend(const SdlAudioBackend&) = delete;
  SdlAudioBackend& operator=(const SdlAudioBackend&) = delete;

  bool Open(int rate, int channels, Puller puller) override;
  void Close() override;
  void Lock() override;
  void Unlock() override;

  // Why the last Open failed (SDL's words).
  const std::string& LastError() const { return LastError_; }

 private:
  SdlAudioBackend() = default;
  static void Callback(void* self, unsigned char* stream, int length);

  unsigned Device_ = 0;  // SDL_AudioDeviceID, 0 = closed
  int Channels_ = 2;
  Puller Puller_;
  std::string LastError_;
};

}  // namespace vuzed
