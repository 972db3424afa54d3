// The sound generator end to end: what the build wrote is loaded the way
// the game loads it (the WAV reader of the sound table, libvorbisfile through the music
// player's stream callbacks).

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "back/sound_list.h"
#include "engine/sound/wav_reader.h"
#include "state/ogg_file_callbacks.h"
#include "support/test_dir.h"

namespace vuzed {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

// The generator is built beside vuzed-tool, at the top of the build directory.
fs::path Generator() { return fs::path(VUZED_TOOL).parent_path() / "vuzed-sounds"; }

int RunGenerator(const fs::path& dataDir) {
  std::string command = "'" + Generator().string() + "' '" + dataDir.string() + "' >/dev/null 2>&1";
  int raw = std::system(command.c_str());
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

struct Pcm {
  int Channels = 0;
  long Rate = 0;
  std::vector<int16_t> Samples;  // interleaved
  size_t Frames() const { return Channels ? Samples.size() / size_t(Channels) : 0; }
};

// Decodes a whole track as the music player does: its own FILE* through
// the game's stream callbacks, 16-bit signed little-endian.
bool DecodeTrack(const fs::path& file, Pcm& pcm) {
  std::FILE* stream = std::fopen(file.string().c_str(), "rb");
  if (!stream) return false;
  OggVorbis_File decoder;
  if (ov_open_callbacks(stream, &decoder, nullptr, 0, OggFileCallbacks()) != 0) {
    std::fclose(stream);
    return false;
  }
  vorbis_info* info = ov_info(&decoder, -1);
  pcm.Channels = info->channels;
  pcm.Rate = info->rate;
  std::vector<char> buffer(65536);
  int bitstream = 0;
  long got = 0;
  while ((got = ov_read(&decoder, buffer.data(), int(buffer.size()), 0, 2, 1, &bitstream)) > 0) {
    const auto* words = reinterpret_cast<const int16_t*>(buffer.data());
    pcm.Samples.insert(pcm.Samples.end(), words, words + got / 2);
  }
  ov_clear(&decoder);
  return got == 0;
}

double Rms(const Pcm& pcm, size_t fromFrame, size_t frames) {
  double sum = 0.0;
  for (size_t i = fromFrame * size_t(pcm.Channels); i < (fromFrame + frames) * size_t(pcm.Channels); ++i)
    sum += double(pcm.Samples[i]) * pcm.Samples[i];
  return std::sqrt(sum / double(frames * size_t(pcm.Channels))) / 32768.0;
}

// The largest change between neighbouring frames of one channel over [from, to).
int LargestStep(const Pcm& pcm, int channel, size_t from, size_t to) {
  int largest = 0;
  for (size_t f = from + 1; f < to; ++f)
    largest = std::max(largest, std::abs(pcm.Samples[f * size_t(pcm.Channels) + size_t(channel)] -
                                         pcm.Samples[(f - 1) * size_t(pcm.Channels) + size_t(channel)]));
  return largest;
}

// The build has run the generator into its own data directory; what it
// wrote is what these tests load. Only the determinism test runs it again.
class SoundGeneratorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(Generator())) << Generator() << " is not built";
    ASSERT_TRUE(fs::exists(Data() / "Music")) << Data() << " holds no generated sounds";
  }
  static fs::path Data() { return fs::path(VUZED_TOOL).parent_path() / "data"; }
};

TEST_F(SoundGeneratorTest, ARunWritesTheSameBytesAsTheBuild) {
  TempDir fresh;
  ASSERT_EQ(RunGenerator(fresh.Path() / "data"), 0);
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(fresh.Path() / "data"))
    if (entry.is_regular_file()) files.push_back(fs::relative(entry.path(), fresh.Path() / "data"));
  EXPECT_EQ(files.size(), size_t(TSoundList::kLastNumber + 1 + 8 + 1));  // effects, 8 tracks, the dialogue tune
  for (const fs::path& f : files) EXPECT_TRUE(Slurp(Data() / f) == Slurp(fresh.Path() / "data" / f)) << f;
}

TEST_F(SoundGeneratorTest, EverySoundLoadsThroughTheGameReaderUnclippedAndCentred) {
  std::vector<fs::path> files;
  for (int n = 0; n <= TSoundList::kLastNumber; ++n)
    files.push_back(Data() / "Music" / "effect" / (std::to_string(n) + ".wav"));
  files.push_back(Data() / "Music" / "BGM" / "0.wav");  // the dialogue scene's tune
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.string());
    WavContents wav = ReadWavFile(file);
    ASSERT_EQ(wav.Error, WavError::None);
    ASSERT_EQ(wav.Format.BitsPerSample, 16);
    ASSERT_GE(wav.Data.size(), 200u);
    const auto* samples = reinterpret_cast<const int16_t*>(wav.Data.data());
    const size_t count = wav.Data.size() / 2;
    double sum = 0.0;
    int peak = 0;
    for (size_t i = 0; i < count; ++i) {
      sum += samples[i];
      peak = std::max(peak, std::abs(int(samples[i])));
    }
    EXPECT_LT(peak, 32000);                      // no clipping
    EXPECT_GT(peak, 3000);                       // audible
    EXPECT_LT(std::abs(sum / double(count)), 200.0);  // no DC offset
    if (file.parent_path().filename() == "effect") {
      EXPECT_EQ(samples[count - 1], 0);  // a restart never clicks
    }
  }
  // The volley sound restarts every 6 frames: it has ended by then.
  WavContents shot = ReadWavFile(Data() / "Music" / "effect" / "1.wav");
  EXPECT_LE(double(shot.Data.size() / shot.Format.BlockAlign) / shot.Format.SamplesPerSec, 6.0 / 60.0);
}

TEST_F(SoundGeneratorTest, EveryTrackIsAMinuteLongStereoLoopWithoutASeam) {
  for (int track = 1; track <= 8; ++track) {
    SCOPED_TRACE("track " + std::to_string(track));
    Pcm pcm;
    ASSERT_TRUE(DecodeTrack(Data() / "Music" / "BGM" / (std::to_string(track) + ".ogg"), pcm));
    ASSERT_EQ(pcm.Channels, 2);
    ASSERT_EQ(pcm.Rate, 44100);
    const size_t frames = pcm.Frames();
    ASSERT_GE(frames, size_t(60 * 44100));
    // Whole refills of half a second: the player drops no music at the end.
    EXPECT_EQ(frames % 22050, 0u);
    // The music plays on through the seam, at the same level on both sides.
    const size_t window = 4410;
    double end = Rms(pcm, frames - window, window), start = Rms(pcm, 0, window);
    EXPECT_GT(end, 0.02);
    EXPECT_GT(start, 0.02);
    EXPECT_LT(std::max(end, start) / std::min(end, start), 4.0) << end << " " << start;
    // No click: the step from the last frame to the first is no larger than
    // the steps the music itself takes around it.
    for (int c = 0; c < 2; ++c) {
      int seam = std::abs(pcm.Samples[size_t(c)] - pcm.Samples[(frames - 1) * 2 + size_t(c)]);
      int around = std::max(LargestStep(pcm, c, frames - window, frames), LargestStep(pcm, c, 0, window));
      EXPECT_LE(seam, around + 300) << "channel " << c << " around " << around;
    }
  }
}

}  // namespace
}  // namespace vuzed
