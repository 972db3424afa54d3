#include "state/music_player.h"

#include <vorbis/codec.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "engine/platform/save_directory.h"
#include "engine/sound/sound_device.h"
#include "game/game_context.h"

namespace vuzed {
namespace {

void FillThunk(void* player, uint32_t offset, uint32_t length) {
  static_cast<TMusicPlayer*>(player)->Refill(offset, length);
}

std::string TrackPath(int32_t track) { return "data\\Music\\BGM\\" + std::to_string(track) + ".ogg"; }

}  // namespace

bool TMusicPlayer::DecoderAvailable() { return vorbis_version_string() != nullptr; }

std::vector<std::filesystem::path> TMusicPlayer::DefaultFallbackRoots() {
  std::vector<std::filesystem::path> roots;
  if (std::filesystem::path saves = SaveDirectory(); !saves.empty()) roots.push_back(saves);
  roots.push_back("/usr/share/vuzed");
  return roots;
}

TMusicPlayer::TMusicPlayer(TGameContext& context)
    : Context_(context), FallbackRoots_(DefaultFallbackRoots()), DecodeBuffer_(kBufferBytes, 0) {
  TZudezu* sound = Context_.Zudezu1.get();
  if (!sound) return;
  Wave_ = std::make_unique<TZudezuWaveData>(*sound, false, kBufferBytes, true, 16, 44100);
  Wave_->SetFillCallback(&FillThunk, this);
  sound->Channel(kChannel).SetWaveData(Wave_.get());
}

TMusicPlayer::~TMusicPlayer() {
  if (TZudezu* sound = Context_.Zudezu1.get()) {
    for (int channel = 0; channel < 2; ++channel)
      if (DialogueWaves_[channel] && sound->Channel(channel).WaveData() == DialogueWaves_[channel].get())
        sound->Channel(channel).SetWaveData(nullptr);
  }
  if (Wave_) {
    // The refill thread ends first: it uses everything below.
    Wave_->StopRefills();
    if (TZudezu* sound = Context_.Zudezu1.get()) sound->Channel(kChannel).SetWaveData(nullptr);
    Wave_.reset();
  }
  std::lock_guard lock(DecoderMutex_);
  CloseLocked();
}

void TMusicPlayer::SetMessageSink(std::function<void(const std::string&)> sink) {
  std::lock_guard lock(DecoderMutex_);
  Sink_ = std::move(sink);
}

// Called with the decoder lock held.
void TMusicPlayer::Say(const std::string& text) {
  if (Sink_)
    Sink_(text);
  else
    std::fprintf(stderr, "vuzed: %s\n", text.c_str());
}

bool TMusicPlayer::DecoderOpen() const {
  std::lock_guard lock(DecoderMutex_);
  return Open_;
}

std::optional<std::filesystem::path> TMusicPlayer::FindTrack(int32_t track) const {
  std::string path = TrackPath(track);
  if (auto file = Context_.Files.Resolve(path)) return file;
  for (const std::filesystem::path& root : FallbackRoots_)
    if (auto file = FileResolver(root).Resolve(path)) return file;
  return std::nullopt;
}

void TMusicPlayer::CloseLocked() {
  // ov_clear also closes the file through the close callback.
  if (Open_) ov_clear(&Decoder_);
  Open_ = false;
}

void TMusicPlayer::Play(int32_t track, bool musicOn) {
  TZudezu* sound = Context_.Zudezu1.get();
  // A dialogue tune may hold channel 0: the stream goes back first.
  if (sound && Wave_ && sound->Channel(kChannel).WaveData() != Wave_.get())
    sound->Channel(kChannel).SetWaveData(Wave_.get());
  if (sound) sound->Channel(kChannel).Stop();
  if (!musicOn) return;
  std::optional<std::filesystem::path> file = FindTrack(track);
  if (!file) return;
  {
    std::lock_guard lock(DecoderMutex_);
    CloseLocked();
    TrackName_ = file->string();
    DamageReported_ = false;
    DecodedSinceOpen_ = 0;
    // Only a regular file: a FIFO or a device would block the open or never end.
    std::error_code ec;
    std::FILE* stream = std::filesystem::is_regular_file(*file, ec) ? std::fopen(TrackName_.c_str(), "rb") : nullptr;
    if (!stream) {
      Say(TrackName_ + ": cannot be opened (not a readable file)");
      return;
    }
    if (ov_open_callbacks(stream, &Decoder_, nullptr, 0, OggFileCallbacks()) == 0) {
      Open_ = true;
    } else {
      // A failed open leaves the file to us. The decoder stays closed and
      // every refill finds no data: silence.
      std::fclose(stream);
      Say(TrackName_ + ": not an Ogg Vorbis file");
    }
  }
  if (sound) sound->Channel(kChannel).PlayLoop();
}

void TMusicPlayer::Stop() {
  if (TZudezu* sound = Context_.Zudezu1.get()) sound->Channel(kChannel).Stop();
  std::lock_guard lock(DecoderMutex_);
  CloseLocked();
}

void TMusicPlayer::PlayWave(int channel, const std::filesystem::path& file, std::optional<int32_t> volume) {
  TZudezu* sound = Context_.Zudezu1.get();
  if (!sound || channel < 0 || channel > 1) return;
  TZudezuChannel& target = sound->Channel(channel);
  target.Stop();
  auto wave = std::make_unique<TZudezuWaveData>(*sound, false, file.string());
  if (wave->Empty()) return;
  target.SetWaveData(wave.get());
  if (volume) target.SetVolume(*volume);
  target.Play();
  DialogueWaves_[channel] = std::move(wave);
}

TZudezuWaveData* TMusicPlayer::DialogueWave(int channel) const {
  return channel >= 0 && channel < 2 ? DialogueWaves_[channel].get() : nullptr;
}

void TMusicPlayer::Refill(uint32_t offset, uint32_t length) {
  std::lock_guard lock(DecoderMutex_);
  if (!Wave_) return;
  length = std::min(length, kBufferBytes);
  char* buffer = DecodeBuffer_.data();
  uint32_t decoded = 0;
  long last = 0;
  int bitstream = 0;
  // Little-endian, 16-bit, signed samples.
  while (Open_ && decoded < length) {
    last = ov_read(&Decoder_, buffer + decoded, int(length - decoded), 0, 2, 1, &bitstream);
    if (last <= 0) break;
    decoded += uint32_t(last);
  }
  DecodedSinceOpen_ += decoded;
  if (decoded == length && last > 0) {
    Wave_->Write(offset, buffer, length);
    return;
  }
  // End of the track; a read error ends it the same way. Both halves go
  // silent (also the one playing) and the track starts again on the next
  // refill; what this refill decoded is dropped.
  if (Open_ && !DamageReported_ && (last < 0 || DecodedSinceOpen_ == 0)) {
    Say(TrackName_ + (last < 0 ? ": damaged Ogg Vorbis data; the track starts again from its beginning"
                                : ": no sound could be decoded from this Ogg Vorbis file"));
    DamageReported_ = true;
  }
  std::memset(buffer, 0, kBufferBytes);
  Wave_->Write(0, buffer, kBufferBytes);
  if (Open_) ov_time_seek(&Decoder_, 0.0);
}

}  // namespace vuzed
