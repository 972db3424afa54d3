// The 3D stage background on the real renderer: stage 1's lantern road drawn
// behind the sprites, and scrolling from one frame to the next.

#include <gtest/gtest.h>

#include <filesystem>

#include "gl/screenshot_image.h"
#include "support/test_dir.h"
#include "support/tool_runner.h"

namespace vuzed {
namespace {

// A stage with nothing in it but the ship: the playfield shows only the background.
constexpr const char* kStage =
    "type\n  procedure OPENING;\n  procedure MAIN;\nend;\n"
    "procedure OPENING;\nbegin\n  SetShotMode(VERTICAL);\nend;\n"
    "procedure MAIN;\nbegin\nend;\n";

TEST(BackgroundGl, TheLanternRoadIsDrawnBehindTheSpritesAndScrolls) {
  test::TempDir root;
  root.Write("data/information.ini", "[Screen]\r\nFullScreen=0\r\n");
  root.Write("data/Script/Stage1.txt", kStage);
  // The meshes, textures and ship pictures the build generated.
  const std::filesystem::path built = std::filesystem::path(VUZED_TOOL).parent_path() / "data" / "Graphic";
  std::filesystem::create_directories(root.Path() / "data" / "Graphic");
  for (const char* folder : {"VZ", "Player"})
    std::filesystem::copy(built / folder, root.Path() / "data" / "Graphic" / folder,
                          std::filesystem::copy_options::recursive);
  const auto a = root.Path() / "a.bmp", b = root.Path() / "b.bmp";
  auto r = test::RunTool({"run", "--root", root.Path().string(), "--frames", "40", "--video", "gl", "--screenshot",
                          "30:" + a.string(), "--screenshot", "40:" + b.string()},
                         {"SDL_VIDEODRIVER=offscreen", "SDL_AUDIODRIVER=dummy", "ASAN_OPTIONS=detect_leaks=0"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  const test::ScreenshotImage first(root.Read("a.bmp")), second(root.Read("b.bmp"));
  ASSERT_EQ(first.Width, 640);
  ASSERT_EQ(second.Width, 640);

  // Without the background the cleared frame is black: the road, walls and
  // sky fill most of the screen instead.
  auto lit = [](uint32_t p) { return ((p >> 16) & 255) + ((p >> 8) & 255) + (p & 255) > 30; };
  EXPECT_GT(first.Count(40, 40, 400, 440, lit), 360 * 400 * 3 / 4);
  // The ship is still drawn over it (its pixels are the brightest on screen).
  auto bright = [](uint32_t p) { return ((p >> 16) & 255) > 200 && ((p >> 8) & 255) > 200 && (p & 255) > 200; };
  EXPECT_GT(first.Count(200, 380, 260, 450, bright), 10);
  // Ten steps later the segments have moved 1 unit towards the viewer: the
  // road's paving and the wall's posts are in other places.
  int changed = 0;
  for (int y = 250; y < 460; y += 2)
    for (int x = 40; x < 400; x += 2) changed += first.Pixel(x, y) != second.Pixel(x, y) ? 1 : 0;
  EXPECT_GT(changed, 2000);
}

}  // namespace
}  // namespace vuzed
