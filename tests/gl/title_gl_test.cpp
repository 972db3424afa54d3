// The title menu on the real renderer: the selected item is drawn in opaque
// white, the others in FF777777, each added onto the background.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "gl/screenshot_image.h"
#include "support/bmp_writer.h"
#include "support/test_dir.h"
#include "support/tool_runner.h"

namespace vuzed {
namespace {

const std::vector<std::string> kOffscreen{"SDL_VIDEODRIVER=offscreen", "SDL_AUDIODRIVER=dummy",
                                          "ASAN_OPTIONS=detect_leaks=0"};

// The main menu's items: else pictures 10, 11, 13 and 15 at x 500, y 200,
// 230, 260 and 290. Each is solid mid-grey; on a black background the
// selected one shows as 80 80 80, an unselected one as 80 x 77 / FF = 3B.
constexpr int kItemY[4] = {200, 230, 260, 290};
constexpr uint32_t kGrey = 0x808080;

// Every pixel of item k's inner area has the grey level given (within 2 of
// it in each channel).
int PixelsAt(const test::ScreenshotImage& image, int item, int level) {
  return image.Count(502, kItemY[item] + 2, 598, kItemY[item] + 18, [level](uint32_t rgb) {
    for (int shift : {0, 8, 16})
      if (std::abs(int(rgb >> shift & 0xFF) - level) > 2) return false;
    return true;
  });
}

TEST(TitleGl, TheSelectedMenuItemIsBrighterThanTheOthersAndFollowsTheCursor) {
  test::TempDir root;
  // The game loads its pictures only when it finds the settings file.
  root.Write("data/information.ini", "[Sound]\r\nWhetherMusic=0\r\n");
  for (int n : {10, 11, 13, 15})
    root.Write("data/Graphic/Else/" + std::to_string(n) + ".bmp",
               test::MakeBmp(test::PictureOf(100, 20, 24, [](int, int) { return kGrey; })));
  // Shot at pass 1 skips the opening; the title then ignores keys for 30
  // frames. Down at pass 40 moves the cursor to item 1.
  auto keys = root.Write("keys.txt", "1 z\n40 down\n");
  auto first = root.Path() / "first.bmp";
  auto second = root.Path() / "second.bmp";
  auto r = test::RunTool({"run", "--root", root.Path().string(), "--boot", "--frames", "45", "--input",
                          keys.string(), "--video", "gl", "--screenshot", "20:" + first.string(), "--screenshot",
                          "45:" + second.string()},
                         kOffscreen);
  ASSERT_EQ(r.Status, 0) << r.Err;
  ASSERT_NE(r.Out.find("\"scene\":\"title\""), std::string::npos) << r.Out;
  constexpr int kArea = 96 * 16;
  constexpr int kSelected = 0x80, kUnselected = 0x3B;

  test::ScreenshotImage menu(root.Read("first.bmp"));
  ASSERT_EQ(menu.Width, 640);
  EXPECT_EQ(PixelsAt(menu, 0, kSelected), kArea);
  for (int k : {1, 2, 3}) EXPECT_EQ(PixelsAt(menu, k, kUnselected), kArea) << "item " << k;
  EXPECT_EQ(menu.Pixel(499, 210), 0u);  // nothing beside the items

  test::ScreenshotImage moved(root.Read("second.bmp"));
  ASSERT_EQ(moved.Width, 640);
  EXPECT_EQ(PixelsAt(moved, 1, kSelected), kArea);
  for (int k : {0, 2, 3}) EXPECT_EQ(PixelsAt(moved, k, kUnselected), kArea) << "item " << k;
}

}  // namespace
}  // namespace vuzed
