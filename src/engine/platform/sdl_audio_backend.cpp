#include "engine/platform/sdl_audio_backend.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>

#include "engine/platform/quiet_stderr.h"

namespace vuzed {

std::unique_ptr<SdlAudioBackend> SdlAudioBackend::Create(std::string& error) {
  int failed = 0;
  {
    TQuietStderr quiet;  // the audio libraries' own chatter while SDL probes
    failed = SDL_InitSubSystem(SDL_INIT_AUDIO);
  }
  if (failed != 0) {
    error = std::string("no audio: ") + SDL_GetError();
    std::fprintf(stderr, "%s\n", kSilentLine);
    return nullptr;
  }
  return std::unique_ptr<SdlAudioBackend>(new SdlAudioBackend());
}

SdlAudioBackend::~SdlAudioBackend() {
  Close();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlAudioBackend::Open(int rate, int channels, Puller puller) {
  Close();
  if (rate <= 0 || channels <= 0 || channels > 8) return false;
  Puller_ = std::move(puller);
  Channels_ = channels;
  SDL_AudioSpec want{};
  want.freq = rate;
  want.format = AUDIO_S16SYS;
  want.channels = Uint8(channels);
  want.samples = 1024;
  want.callback = &SdlAudioBackend::Callback;
  want.userdata = this;
  SDL_AudioSpec have{};
  // No changes allowed: SDL converts from the format asked for.
  {
    TQuietStderr quiet;  // the audio libraries' own chatter about missing cards
    Device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  }
  if (Device_ == 0) {
    LastError_ = SDL_GetError();
    Puller_ = nullptr;
    std::fprintf(stderr, "%s\n", kSilentLine);
    return false;
  }
  SDL_PauseAudioDevice(Device_, 0);
  return true;
}

void SdlAudioBackend::Close() {
  if (Device_ == 0) return;
  // SDL_CloseAudioDevice waits for a running callback to finish.
  SDL_CloseAudioDevice(Device_);
  Device_ = 0;
  Puller_ = nullptr;
}

void SdlAudioBackend::Lock() {
  if (Device_ != 0) SDL_LockAudioDevice(Device_);
}

void SdlAudioBackend::Unlock() {
  if (Device_ != 0) SDL_UnlockAudioDevice(Device_);
}

void SdlAudioBackend::Callback(void* self, unsigned char* stream, int length) {
  auto* backend = static_cast<SdlAudioBackend*>(self);
  size_t frameBytes = sizeof(int16_t) * size_t(backend->Channels_);
  size_t frames = size_t(length) / frameBytes;
  std::memset(stream, 0, size_t(length));
  if (backend->Puller_) backend->Puller_(reinterpret_cast<int16_t*>(stream), frames);
}

}  // namespace vuzed
