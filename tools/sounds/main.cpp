// vuzed-sounds DATA_DIR: writes the game's sound effects and music into
// DATA_DIR (normally <build>/data):
//   Music/effect/0.wav .. 20.wav   sound effects (44100 Hz mono, 16-bit)
//   Music/BGM/1.ogg .. 8.ogg       music tracks, Ogg Vorbis, each one seamless loop
//   Music/BGM/0.wav                the dialogue scene's tune (22050 Hz mono, 16-bit)
// The same bytes on every run. Exit status 0, 1 when a file cannot be
// written, 2 on bad arguments.

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "mixdown.h"
#include "ogg_file.h"
#include "score.h"
#include "sound_effects.h"
#include "wav_file.h"

namespace {

using namespace vuzed::sounds;

constexpr float kMusicQuality = 0.25f;

// Indexed by track number - 1.
constexpr std::array<Song (*)(), 8> kTracks = {Track1, Track2, Track3, Track4, Track5, Track6, Track7, Track8};

bool WriteTrack(const std::filesystem::path& bgm, size_t number) {
  Song song = kTracks[number - 1]();
  Stereo loop = RenderSong(song);
  std::filesystem::path file = bgm / (std::to_string(number) + ".ogg");
  if (WriteOggVorbis(file, loop, song.Rate, kMusicQuality, song.Title)) return true;
  std::fprintf(stderr, "vuzed-sounds: cannot write %s\n", file.string().c_str());
  return false;
}

// The dialogue tune is a plain WAV: mono keeps it small.
bool WriteDialogueTune(const std::filesystem::path& bgm) {
  Song tune = DialogueTune();
  Stereo loop = RenderSong(tune);
  std::vector<float> mono(loop.Frames());
  for (size_t i = 0; i < mono.size(); ++i) mono[i] = 0.5f * (loop.L[i] + loop.R[i]);
  if (WriteWavMono(bgm / "0.wav", mono, tune.Rate)) return true;
  std::fprintf(stderr, "vuzed-sounds: cannot write %s\n", (bgm / "0.wav").string().c_str());
  return false;
}

// Job 0 writes the effects, job 1 the dialogue tune, job 1 + n track n.
// Jobs share nothing, so running them on several threads changes no byte.
bool RunJob(const std::filesystem::path& dataDir, size_t job) {
  const std::filesystem::path bgm = dataDir / "Music" / "BGM";
  if (job == 0) {
    if (WriteEffects(dataDir)) return true;
    std::fprintf(stderr, "vuzed-sounds: cannot write the sound effects into %s\n", dataDir.string().c_str());
    return false;
  }
  if (job == 1) return WriteDialogueTune(bgm);
  return WriteTrack(bgm, job - 1);
}

bool WriteAll(const std::filesystem::path& dataDir) {
  constexpr size_t kJobs = 2 + kTracks.size();
  std::array<bool, kJobs> ok{};
  std::atomic<size_t> next{0};
  auto worker = [&] {
    for (size_t job = next++; job < kJobs; job = next++) ok[job] = RunJob(dataDir, job);
  };
  const size_t threads = std::clamp<size_t>(std::thread::hardware_concurrency(), 1, 4);
  std::vector<std::thread> pool;
  for (size_t t = 1; t < threads; ++t) pool.emplace_back(worker);
  worker();
  for (std::thread& t : pool) t.join();
  return std::all_of(ok.begin(), ok.end(), [](bool b) { return b; });
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 || std::string_view(argv[1]).empty() || std::string_view(argv[1]) == "--help") {
    std::fprintf(stderr, "usage: vuzed-sounds DATA_DIR\n"
                         "Writes the sound effects (Music/effect/N.wav), the music tracks\n"
                         "(Music/BGM/N.ogg) and the dialogue tune (Music/BGM/0.wav) into DATA_DIR.\n");
    return 2;
  }
  const std::filesystem::path dataDir = argv[1];
  std::error_code ec;
  std::filesystem::create_directories(dataDir / "Music" / "effect", ec);
  std::filesystem::create_directories(dataDir / "Music" / "BGM", ec);
  return WriteAll(dataDir) ? 0 : 1;
}
