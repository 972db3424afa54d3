// The opening: its length, the early hand-over and the turning logo.

#include <gtest/gtest.h>

#include "engine/platform/null_render_backend.h"
#include "game/game_context.h"
#include "support/bmp_writer.h"
#include "support/game_fixture.h"
#include "support/test_dir.h"
#include "support/tool_runner.h"
#include "title/opening.h"
#include "title/title.h"

namespace vuzed {
namespace {

using test::RunTool;
using test::TempDir;

TEST(Opening, WithoutKeysItLasts181FramesThenTheTitleTakesOver) {
  TempDir root;
  auto r = RunTool({"run", "--root", root.Path().string(), "--boot", "--frames", "181", "--trace", "180"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  auto lines = r.OutLines();
  ASSERT_EQ(lines.size(), 2u) << r.Out;
  EXPECT_EQ(lines[0].rfind("{\"frame\":180,\"scene\":\"opening\"", 0), 0u) << lines[0];
  EXPECT_EQ(lines[1].rfind("{\"frame\":181,\"scene\":\"title\"", 0), 0u) << lines[1];
}

TEST(Opening, ShotOnTheFirstFrameShowsTheMainMenuWithKeysBlockedFor30Frames) {
  test::GameFixture g;
  g.Keys("1 z\n");
  g.Start();
  g.Game().Title->Screen = TTitle::ScreenMusicRoom;  // left there by an earlier visit
  g.RunTo(1);
  EXPECT_EQ(g.Game().Scene, TScene::Title);
  EXPECT_EQ(g.Game().Title->Screen, TTitle::ScreenMain);
  EXPECT_EQ(g.Game().Title->InputDelay, TOpening::kTitleInputDelay);
}

TEST(Opening, TheLogoFadesAndShowsMirroredWhileTurnedAway) {
  EXPECT_EQ(TOpening::LogoAlpha(1), 8);  // 8.5 rounds to even
  EXPECT_EQ(TOpening::LogoAlpha(30), 255);
  EXPECT_EQ(TOpening::LogoAlpha(151), 246);
  EXPECT_EQ(TOpening::LogoAlpha(180), 0);

  test::GameFixture g;
  test::BmpPicture logo;
  logo.Width = 64;
  logo.Height = 32;
  logo.Pixels.assign(64 * 32, 0x336699);
  g.Dir.Write("data/Graphic/Other/9.bmp", test::MakeBmp(logo));
  g.Start();
  auto logoDraw = [&]() {
    const auto& draws = g.Render.Frames.back();
    EXPECT_EQ(draws.size(), 1u);  // no other picture exists here
    return draws.empty() ? NullRenderBackend::DrawCall{} : draws[0];
  };
  g.RunTo(5);  // cos 0.5 > 0: drawn as it is
  auto upright = logoDraw();
  EXPECT_LT(upright.Vertices[0].X, upright.Vertices[1].X);
  EXPECT_LT(upright.Vertices[0].U, upright.Vertices[1].U);
  g.RunTo(16);  // cos 1.6 < 0: mirrored, about 1 pixel wide
  auto mirrored = logoDraw();
  EXPECT_LE(mirrored.Vertices[0].X, mirrored.Vertices[1].X);  // same winding: never culled
  EXPECT_GT(mirrored.Vertices[0].U, mirrored.Vertices[1].U);
  EXPECT_NEAR(mirrored.Vertices[1].X - mirrored.Vertices[0].X, 64 * 0.0292, 0.01);
  EXPECT_EQ(mirrored.Vertices[0].Diffuse >> 24, uint32_t(TOpening::LogoAlpha(16)));
}

}  // namespace
}  // namespace vuzed
