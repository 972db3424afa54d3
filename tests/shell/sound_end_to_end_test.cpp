// End to end: `vuzed-tool run` mixing the game's sound into SDL's disk
// audio driver.

#include <gtest/gtest.h>

#include <filesystem>

#include <cstdio>
#include <cstring>
#include <vector>

#include "support/ogg_writer.h"
#include "support/test_dir.h"
#include "support/tool_runner.h"

namespace vuzed {
namespace {

using test::RunTool;
using test::TempDir;

// Runs the boot flow (the title music starts at start-up) and returns the
// file the disk driver wrote. The disk driver runs far faster than real
// time, and the music is heard once the refill thread has decoded the first
// half second: the run is made long enough (passes take microseconds) for
// that to happen before shut-down.
std::filesystem::path RunAndRecord(const TempDir& root, bool musicOn) {
  root.Write("data/information.ini", std::string("[Sound]\r\nWhetherMusic=") + (musicOn ? "1" : "0") + "\r\n");
  root.Write("data/Music/BGM/3.ogg", test::MakeSineOgg(2.0));
  std::filesystem::path raw = root.Path() / "out.raw";
  auto r = RunTool({"run", "--root", root.Path().string(), "--boot", "--frames", "6000"},
                   {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + raw.string(), "SDL_DISKAUDIODELAY=0",
                    "XDG_DATA_HOME=" + (root.Path() / "xdg").string()});
  EXPECT_EQ(r.Status, 0) << r.Err;
  return raw;
}

struct Recording {
  size_t Bytes = 0;
  size_t NonZero = 0;
};

// The file is read in blocks (it runs to megabytes): a block equal to a
// block of zeros is skipped whole.
Recording Scan(const std::filesystem::path& raw) {
  Recording result;
  std::FILE* file = std::fopen(raw.c_str(), "rb");
  if (!file) return result;
  std::vector<char> block(1 << 16), zeros(1 << 16, 0);
  size_t n;
  while ((n = std::fread(block.data(), 1, block.size(), file)) > 0) {
    result.Bytes += n;
    if (std::memcmp(block.data(), zeros.data(), n) == 0) continue;
    for (size_t i = 0; i < n; ++i) result.NonZero += block[i] != 0;
  }
  std::fclose(file);
  return result;
}

TEST(SoundEndToEnd, TheTitleMusicReachesTheAudioDevice) {
  TempDir root;
  Recording audio = Scan(RunAndRecord(root, true));
  ASSERT_GT(audio.Bytes, 0u);
  EXPECT_GT(audio.NonZero, 1000u);
}

// A stretch of stage 1 as the game ships it (its scripts, settings, and the
// generated pictures, sounds and music): the stage's music streams through
// the refill thread while the held shot key and the enemies fire sound
// effects on the game thread, all mixed into the disk driver. The driver
// keeps its own pace here (real time: the file stays small) while the game
// runs as fast as it can. Under the thread sanitizer this is the whole
// game's sound on both threads.
TEST(SoundEndToEnd, AStageOfTheGamePlaysMusicAndSoundEffectsThroughTheDevice) {
  namespace fs = std::filesystem;
  const fs::path sourceData = fs::path(VUZED_TEST_DATA).parent_path().parent_path() / "data";
  const fs::path buildData = fs::path(VUZED_TOOL).parent_path() / "data";
  TempDir root;
  const fs::path data = root.Path() / "data";
  fs::create_directories(data);
  fs::copy(sourceData / "Script", data / "Script", fs::copy_options::recursive);
  fs::copy_file(sourceData / "information.ini", data / "information.ini");  // music and effects on
  for (const char* folder : {"Graphic", "Music"}) fs::create_directory_symlink(buildData / folder, data / folder);
  const std::string keys = root.Write("keys.txt", "1-3000 z\n").string();
  const fs::path raw = root.Path() / "out.raw";
  auto r = RunTool({"run", "--root", root.Path().string(), "--stage", "1", "--invincible", "--frames", "3000",
                    "--input", keys},
                   {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + raw.string(),
                    "XDG_DATA_HOME=" + (root.Path() / "xdg").string()});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Err, "");
  Recording audio = Scan(raw);
  ASSERT_GT(audio.Bytes, 0u);
  EXPECT_GT(audio.NonZero, 10000u);
}

TEST(SoundEndToEnd, WithMusicOffTheDeviceHearsOnlySilence) {
  TempDir root;
  Recording audio = Scan(RunAndRecord(root, false));
  ASSERT_GT(audio.Bytes, 0u);
  EXPECT_EQ(audio.NonZero, 0u);
}

}  // namespace
}  // namespace vuzed
