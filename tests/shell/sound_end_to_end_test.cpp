// End to end: `vuzed-tool run` mixing the game's sound into SDL's disk
// audio driver.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "support/ogg_writer.h"
#include "support/test_dir.h"
#include "support/tool_runner.h"

namespace vuzed {
namespace {

using test::RunTool;
using test::TempDir;

// Runs the boot flow (the title music starts at start-up) and returns the
// audio the disk driver wrote. The disk driver runs far faster than real
// time, and the music is heard once the refill thread has decoded the first
// half second: the run is made long enough (passes take microseconds) for
// that to happen before shut-down.
std::vector<char> RunAndRecord(const TempDir& root, bool musicOn) {
  root.Write("data/information.ini", std::string("[Sound]\r\nWhetherMusic=") + (musicOn ? "1" : "0") + "\r\n");
  root.Write("data/Music/BGM/3.ogg", test::MakeSineOgg(2.0));
  std::string raw = (root.Path() / "out.raw").string();
  auto r = RunTool({"run", "--root", root.Path().string(), "--boot", "--frames", "6000"},
                   {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + raw, "SDL_DISKAUDIODELAY=0",
                    "XDG_DATA_HOME=" + (root.Path() / "xdg").string()});
  EXPECT_EQ(r.Status, 0) << r.Err;
  std::ifstream in(raw, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

TEST(SoundEndToEnd, TheTitleMusicReachesTheAudioDevice) {
  TempDir root;
  std::vector<char> audio = RunAndRecord(root, true);
  ASSERT_FALSE(audio.empty());
  size_t loud = 0;
  for (char byte : audio) loud += byte != 0;
  EXPECT_GT(loud, 1000u);
}

TEST(SoundEndToEnd, WithMusicOffTheDeviceHearsOnlySilence) {
  TempDir root;
  std::vector<char> audio = RunAndRecord(root, false);
  ASSERT_FALSE(audio.empty());
  for (char byte : audio) ASSERT_EQ(byte, 0);
}

}  // namespace
}  // namespace vuzed
