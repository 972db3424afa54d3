// The real renderer end to end: `vuzed-tool run --video gl` in an off-screen
// window, the loading picture and the first frame written as images.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "support/bmp_writer.h"
#include "support/test_dir.h"
#include "support/tool_runner.h"

namespace vuzed {
namespace {

using test::RunTool;
using test::TempDir;

// The tool draws off screen; in a sanitizer build it would report Mesa's
// driver allocations as leaks at exit.
const std::vector<std::string> kOffscreen{"SDL_VIDEODRIVER=offscreen", "SDL_AUDIODRIVER=dummy",
                                          "ASAN_OPTIONS=detect_leaks=0"};

uint32_t ReadLE(const std::string& bytes, size_t at, int size) {
  uint32_t v = 0;
  for (int i = size - 1; i >= 0; --i) v = (v << 8) | uint8_t(bytes[at + size_t(i)]);
  return v;
}

TEST(HeadlessRunGl, ScreenshotOfTheFirstPassIsA640x480Bmp) {
  TempDir root;
  auto r = RunTool({"run", "--root", root.Path().string(), "--boot", "--frames", "2", "--video", "gl",
                    "--screenshot", "1:" + (root.Path() / "shot.bmp").string()},
                   kOffscreen);
  ASSERT_EQ(r.Status, 0) << r.Err;
  std::string bmp = root.Read("shot.bmp");
  ASSERT_GE(bmp.size(), 54u);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(ReadLE(bmp, 18, 4), 640u);
  EXPECT_EQ(ReadLE(bmp, 22, 4), 480u);
  EXPECT_EQ(ReadLE(bmp, 28, 2), 24u);
  EXPECT_EQ(bmp.size(), 54u + 640u * 3u * 480u);
}

// F12 in the game writes the last frame shown, once per press, to the save
// directory's screenshots folder.
TEST(HeadlessRunGl, FTwelveWritesAPngToTheSaveDirectory) {
  TempDir root;
  auto keys = root.Write("keys.txt", "5-8 f12\n12 f12\n");
  std::vector<std::string> env = kOffscreen;
  env.push_back("XDG_DATA_HOME=" + root.Path().string());
  auto r = RunTool({"run", "--root", root.Path().string(), "--boot", "--frames", "15", "--video", "gl", "--input",
                    keys.string()},
                   env);
  ASSERT_EQ(r.Status, 0) << r.Err;
  std::vector<std::filesystem::path> shots;
  for (const auto& entry : std::filesystem::directory_iterator(root.Path() / "vuzed" / "screenshots"))
    shots.push_back(entry.path());
  ASSERT_EQ(shots.size(), 2u);
  for (const auto& shot : shots) {
    EXPECT_EQ(shot.extension(), ".png");
    EXPECT_EQ(root.Read(std::filesystem::relative(shot, root.Path()).string()).substr(1, 3), "PNG");
  }
}

TEST(HeadlessRunGl, PngScreenshotsAndPassesThatRenderNothing) {
  TempDir root;
  auto keys = root.Write("keys.txt", "1-20 f3\n");
  auto png = root.Path() / "a.png";
  auto skipped = root.Path() / "b.png";
  auto r = RunTool({"run", "--root", root.Path().string(), "--boot", "--frames", "10", "--video", "gl", "--input",
                    keys.string(), "--screenshot", "10:" + png.string(), "--screenshot", "5:" + skipped.string()},
                   kOffscreen);
  ASSERT_EQ(r.Status, 0) << r.Err;
  std::string bytes = root.Read("a.png");
  ASSERT_GE(bytes.size(), 8u);
  EXPECT_EQ(bytes.substr(1, 3), "PNG");
  // Pass 5 was skipped by fast-forward: no file, and a word on stderr.
  EXPECT_FALSE(std::filesystem::exists(skipped));
  EXPECT_NE(r.Err.find("rendered nothing"), std::string::npos) << r.Err;
}

}  // namespace
}  // namespace vuzed
