#include "back/background.h"

#include <gtest/gtest.h>

#include "stage/script_run.h"
#include "support/game_fixture.h"
#include "support/vz_writer.h"

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
  size_t frames = size_t(g.Render.PresentCount);
  Back().Render();
  ASSERT_EQ(size_t(g.Render.PresentCount), frames + 1);
  EXPECT_TRUE(g.Render.Frames.back().empty());
}

TEST_F(BackGroundTest, RenderClearsTheTargetAndTheDepthBufferWhereThereIsOne) {
  // The windowed game has a depth buffer for the 3D background too.
  EXPECT_TRUE(g.Game().Dovivez1->Windowed());
  Back().Render();
  EXPECT_EQ(g.Render.LastClearFlags, d3d::CLEAR_TARGET | d3d::CLEAR_ZBUFFER);
  EXPECT_FALSE(g.Render.InScene);
  g.Render.DepthFormats.clear();
  g.Game().Dovivez1->ChangeToWindowMode(640, 480, {fmt::D16});
  Back().Render();
  EXPECT_EQ(g.Render.LastClearFlags, d3d::CLEAR_TARGET);
}

TEST_F(BackGroundTest, SetsAdvanceTheirCounterExceptInAdventureMode) {
  Back().Set = 1;
  Back().Update();
  EXPECT_EQ(Back().Counter, 1);
  Back().Set = 3;
  Back().Update();
  EXPECT_EQ(Back().Counter, 3);  // twice the speed
  g.Game().ScriptRun->ScriptMode = TScriptMode::Adv;
  Back().Update();
  EXPECT_EQ(Back().Counter, 3);
  g.Game().ScriptRun->ScriptMode = TScriptMode::Running;
  Back().Set = 0;
  Back().Update();
  EXPECT_EQ(Back().Counter, 3);
}

float SegmentZ(TBackGround& back, int i) { return MatrixTranslation(back.Segment(i)->Local).Z; }

TEST_F(BackGroundTest, CorridorSegmentsMoveTowardsTheViewerAndComeBackAfter660Steps) {
  Back().SetupSetA();
  Back().Set = 1;
  Back().Update();
  EXPECT_FLOAT_EQ(SegmentZ(Back(), 0), 59.9f);
  EXPECT_FLOAT_EQ(SegmentZ(Back(), 10), -0.1f);
  EXPECT_FLOAT_EQ(MatrixTranslation(Back().Segment(3)->Local).Y, 0.2f);
  float start[TBackGround::kSegmentCount];
  for (int i = 0; i < TBackGround::kSegmentCount; ++i) start[i] = SegmentZ(Back(), i);
  for (int k = 0; k < 660; ++k) Back().Update();
  for (int i = 0; i < TBackGround::kSegmentCount; ++i) EXPECT_FLOAT_EQ(SegmentZ(Back(), i), start[i]) << i;
  // The camera looks down the corridor turned 252/4096 of a turn about y.
  const TMatrix& camera = Back().CameraFrame().Local;
  EXPECT_FLOAT_EQ(camera.M[2][0], -SinTable[252]);
  EXPECT_FLOAT_EQ(camera.M[2][2], CosTable[252]);
  EXPECT_EQ(MatrixTranslation(camera), MakeVector(0, 0, 1));
  EXPECT_EQ(Back().Scene().Camera(), &Back().CameraFrame());
}

TEST_F(BackGroundTest, TunnelRingsSpanTheirRangeAndSpin) {
  Back().SetupSetB();
  Back().Set = 2;
  Back().Counter = 298;
  Back().Update();
  EXPECT_FLOAT_EQ(SegmentZ(Back(), 0), float(10.0 - 299.0 / 27.0));
  Back().Update();
  EXPECT_FLOAT_EQ(SegmentZ(Back(), 0), 10.0f);
  EXPECT_FLOAT_EQ(SegmentZ(Back(), 1), float(10.0 - 27.0 / 27.0));  // 300 div 11 = 27
  // Up is turned by the counter: (sin a, cos a, 0).
  const TMatrix& ring = Back().Segment(0)->Local;
  EXPECT_FLOAT_EQ(ring.M[1][0], SinTable[300]);
  EXPECT_FLOAT_EQ(ring.M[1][1], CosTable[300]);
}

TEST_F(BackGroundTest, EachSetBuildsElevenTexturedSegmentsAndTwoLights) {
  Back().SetupSetC();
  for (int i = 0; i < TBackGround::kSegmentCount; ++i) {
    ASSERT_NE(Back().Segment(i), nullptr);
    EXPECT_EQ(Back().Segment(i)->Mesh, &Back().Mesh());
    EXPECT_EQ(Back().Segment(i)->Texture(), Back().SegmentTexture(i));
  }
  EXPECT_NE(Back().SegmentTexture(0), Back().SegmentTexture(1));  // a copy each
  EXPECT_EQ(Back().RootFrame().ChildCount(), 12u);                // the camera and 11 segments
  Back().SetupSetA();  // a new set replaces the old segments
  EXPECT_EQ(Back().RootFrame().ChildCount(), 12u);
  ASSERT_EQ(g.Render.Lights.count(1), 1u);
  EXPECT_EQ(g.Render.Lights[0].Ambient, (TColorValue{2, 2, 2, 1}));
  EXPECT_EQ(g.Render.Lights[0].Direction, MakeVector(0.3f, 0.3f, 1));
  EXPECT_EQ(g.Render.Lights[1].Diffuse, (TColorValue{6, 6, 6, 1}));
  EXPECT_TRUE(g.Render.LightsEnabled[0] && g.Render.LightsEnabled[1]);
  EXPECT_EQ(Back().Lights()->Items(2), nullptr);
  // A stage without a set shows no 3D background.
  Back().ResetScene();
  EXPECT_EQ(Back().RootFrame().ChildCount(), 1u);
  EXPECT_EQ(Back().Segment(0), nullptr);
}

TEST_F(BackGroundTest, AdventureModeFreezesTheSetButNotTheSpellLayers) {
  Back().SetupSetA();
  Back().Set = 1;
  Back().Update();
  TSpellBackTexture& layer = Back().FarPicture().Layer(0);
  layer.Width = layer.Height = 1000;
  layer.IdouX = 3;
  g.Game().ScriptRun->ScriptMode = TScriptMode::Adv;
  Back().Update();
  EXPECT_EQ(Back().Counter, 1);
  EXPECT_FLOAT_EQ(SegmentZ(Back(), 0), 59.9f);
  EXPECT_FLOAT_EQ(layer.X, 3);
}

TEST(BackGroundRender, SegmentsInViewAreDrawnLitAndTexturedBeforeTheSprites) {
  GameFixture g;
  // A triangle of 1 x 1 with two copies of its corners, which set A welds away.
  const std::string a = test::Vertex40(0, 0, 0), b = test::Vertex40(0, 1, 0), c = test::Vertex40(1, 0, 0);
  g.Dir.Write("data/Graphic/VZ/777.vz", test::MakeVz(test::Version0({a, b, c, a, b}, {0, 1, 2, 3, 4, 2})));
  g.Start();
  TBackGround& back = *g.Game().BackGround;
  back.SetupSetA();
  back.Set = 1;
  EXPECT_EQ(back.Mesh().VertexCount(), 3);
  back.Update();
  back.Render();
  // Segment 10 (z -0.1) is behind the camera at z 1: only ten are drawn,
  // farthest first in segment order 0..9.
  const auto& draws = g.Render.PresentedMeshDraws;
  ASSERT_EQ(draws.size(), 10u);
  EXPECT_FLOAT_EQ(draws[0].World.M[3][2], 59.9f);
  EXPECT_EQ(draws[0].PrimitiveCount, 2);
  EXPECT_EQ(draws[0].FVF, 0x1D2u);
  EXPECT_EQ(draws[0].TextureId, 0u);  // no texture file here: untextured
  EXPECT_EQ(draws[0].EnabledLights, 3u);
  EXPECT_EQ(draws[0].Lighting, 1u);
  EXPECT_EQ(draws[0].ZEnable, 1u);
  EXPECT_FLOAT_EQ(draws[0].View.M[3][2], -CosTable[252]);  // the camera at z 1, turned
  // ADV mode freezes the segments where they are.
  g.Game().ScriptRun->ScriptMode = TScriptMode::Adv;
  back.Update();
  back.Render();
  EXPECT_FLOAT_EQ(g.Render.PresentedMeshDraws[0].World.M[3][2], 59.9f);
}

TEST_F(BackGroundTest, TheLoopFlagStartsFalse) {
  EXPECT_FALSE(Back().FrontBackGround().Loop);
}

}  // namespace
}  // namespace vuzed
