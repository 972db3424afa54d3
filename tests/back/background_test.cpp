#include "back/background.h"

#include <gtest/gtest.h>

#include "script/script_run.h"
#include "support/game_fixture.h"

namespace vuzed {
namespace {

using test::GameFixture;

struct BackGroundTest : ::testing::Test {
  void SetUp() override { g.Start(); }
  TBackGround& Back() { return *g.Game().BackGround; }
  GameFixture g;
};

TEST_F(BackGroundTest, ResetSceneDropsEverythingQueued) {
  const TSpriteVertex v[4] = {};
  Back().Scene().DrawSprite(MakePoint(1, 1), v, nullptr, 2, false, true, 0);
  Back().ResetScene();
  EXPECT_EQ(Back().Scene().ScreenQueue().SpriteCount(), 0u);
  size_t frames = g.Render.Frames.size();
  Back().Render();
  ASSERT_EQ(g.Render.Frames.size(), frames + 1);
  EXPECT_TRUE(g.Render.Frames.back().empty());
}

TEST_F(BackGroundTest, RenderClearsTheTargetAndTheDepthBufferOnlyInFullScreen) {
  Back().Render();
  EXPECT_EQ(g.Render.LastClearFlags, d3d::CLEAR_TARGET);
  g.Game().Dovivez1->ChangeToFullScreen(640, 480, fmt::X8R8G8B8, {fmt::D16});
  Back().Render();
  EXPECT_EQ(g.Render.LastClearFlags, d3d::CLEAR_TARGET | d3d::CLEAR_ZBUFFER);
  EXPECT_FALSE(g.Render.InScene);
}

TEST_F(BackGroundTest, SetsAdvanceTheirCounterExceptInAdventureMode) {
  Back().Set = 1;
  Back().Update();
  EXPECT_EQ(Back().Counter, 1);
  Back().Set = 3;
  Back().Update();
  EXPECT_EQ(Back().Counter, 3);  // twice the speed
  g.Game().ScriptRun->ScriptMode = 3;
  Back().Update();
  EXPECT_EQ(Back().Counter, 3);
  g.Game().ScriptRun->ScriptMode = 0;
  Back().Set = 0;
  Back().Update();
  EXPECT_EQ(Back().Counter, 3);
}

TEST_F(BackGroundTest, TheLoopFlagStartsFalse) {
  EXPECT_FALSE(Back().FrontBackGround().Loop);
}

}  // namespace
}  // namespace vuzed
