#pragma once
// TMusicPlayer: the game state's music side. Music is Ogg Vorbis, decoded
// while it plays into a one-second streaming buffer (176400 bytes: 44100 Hz,
// 16-bit, stereo; two halves of 88200 bytes) on sound channel 0. The
// buffer's refill thread asks for each half after it has played; the refill
// decodes the next bytes of the track. At the end of the track (or where its
// data is damaged) the whole buffer is silenced and the track rewound, so a
// track loops with up to one second of silence between passes. A track
// shorter than half a second is therefore never heard.
//
// Track n is "data\Music\BGM\" + n + ".ogg", looked for in the data
// directory, then under two fallback roots ($XDG_DATA_HOME/vuzed, by default
// ~/.local/share/vuzed, then /usr/share/vuzed) with the same relative name.
//
// A file that is not Ogg Vorbis, or whose data is damaged or holds no sound,
// plays silence and is named once on stderr (or the message sink).
//
// The refill (refill thread) and Play / Stop (game thread) exclude each other
// around every decoder call.
//
// Dialogue scenes also play plain WAV files from the music folder: an ADV
// scene's SETMUSIC puts its tune on channel 0 in place of the stream, a novel
// scene's SETSE a sound on channel 1. The player keeps each such wave while
// its channel may play it. In this game the stream is never lost to such a
// tune: every Play puts the stream back on channel 0 first, so music works
// again after the scene.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "state/ogg_file_callbacks.h"

namespace vuzed {

struct TGameContext;
class TZudezuWaveData;

class TMusicPlayer {
 public:
  static constexpr uint32_t kBufferBytes = 176400;
  static constexpr int kChannel = 0;

  // The decoder library can be used (always so when it is linked in).
  static bool DecoderAvailable();
  static std::vector<std::filesystem::path> DefaultFallbackRoots();

  // Creates the streaming buffer with its refill and puts it into channel 0.
  explicit TMusicPlayer(TGameContext& context);
  ~TMusicPlayer();
  TMusicPlayer(const TMusicPlayer&) = delete;
  TMusicPlayer& operator=(const TMusicPlayer&) = delete;

  // Stops channel 0; with music on and the track found, opens it and plays
  // channel 0 looping from the start of the buffer (whose first half still
  // holds what it held before).
  void Play(int32_t track, bool musicOn);
  // Stops channel 0 and closes the decoder.
  void Stop();
  // Stops the channel (0 or 1; any other does nothing), then, when the file
  // loads, puts it there, sets the volume if given and plays it once.
  void PlayWave(int channel, const std::filesystem::path& file, std::optional<int32_t> volume);
  // The wave PlayWave last put on that channel, or null.
  TZudezuWaveData* DialogueWave(int channel) const;
  // Refills length bytes at offset of the buffer (called on the refill thread).
  void Refill(uint32_t offset, uint32_t length);

  std::optional<std::filesystem::path> FindTrack(int32_t track) const;
  void SetFallbackRoots(std::vector<std::filesystem::path> roots) { FallbackRoots_ = std::move(roots); }
  // Where the player's complaints go (default: stderr). Called on either thread.
  void SetMessageSink(std::function<void(const std::string&)> sink);
  bool DecoderOpen() const;
  TZudezuWaveData* Wave() const { return Wave_.get(); }

 private:
  void CloseLocked();
  void Say(const std::string& text);

  TGameContext& Context_;
  std::vector<std::filesystem::path> FallbackRoots_;
  std::function<void(const std::string&)> Sink_;

  mutable std::mutex DecoderMutex_;
  OggVorbis_File Decoder_{};
  bool Open_ = false;
  bool DamageReported_ = false;  // one complaint per opened track
  uint64_t DecodedSinceOpen_ = 0;
  std::string TrackName_;
  std::vector<char> DecodeBuffer_;
  std::unique_ptr<TZudezuWaveData> Wave_;
  std::unique_ptr<TZudezuWaveData> DialogueWaves_[2];  // channels 0 and 1
};

}  // namespace vuzed
