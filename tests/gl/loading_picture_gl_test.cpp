// Start-up on the real renderer: the loading picture is what the window shows
// while the tables load.

#include <gtest/gtest.h>

#include "engine/platform/clock.h"
#include "engine/platform/video_platform.h"
#include "shell/main_form.h"
#include "support/bmp_writer.h"
#include "support/test_dir.h"

namespace vuzed {
namespace {

TEST(LoadingPictureGl, StartupShowsTheLoadingPictureFullSize) {
  test::TempDir root;
  root.Write("data/Graphic/Other/10.bmp",
             test::MakeBmp(test::PictureOf(640, 480, 24, [](int x, int y) {
               return y < 240 ? (x < 320 ? 0xFF0000u : 0x0000FFu) : 0x00FF00u;
             })));
  std::string error;
  auto video = CreateSdlVideoPlatform(VideoOptions{true, false}, error);
  ASSERT_TRUE(video) << error;
  ManualClock clock;
  TPlatform platform{&video->Render(), &video->Window(), &video->Input(), &clock};
  {
    TForm1 form(platform, root.Path());
    form.Timer1Timer();
    std::vector<uint8_t> rgb;
    int w = 0, h = 0;
    ASSERT_TRUE(video->Render().ReadFrontBuffer(rgb, w, h));
    ASSERT_EQ(w, 640);
    ASSERT_EQ(h, 480);
    auto pixel = [&](int x, int y) {
      size_t at = (size_t(y) * 640 + size_t(x)) * 3;
      return (uint32_t(rgb[at]) << 16) | (uint32_t(rgb[at + 1]) << 8) | rgb[at + 2];
    };
    EXPECT_EQ(pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(pixel(319, 239), 0xFF0000u);
    EXPECT_EQ(pixel(320, 0), 0x0000FFu);
    EXPECT_EQ(pixel(639, 239), 0x0000FFu);
    EXPECT_EQ(pixel(0, 240), 0x00FF00u);
    EXPECT_EQ(pixel(639, 479), 0x00FF00u);
  }
}

}  // namespace
}  // namespace vuzed
