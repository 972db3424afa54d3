#include "engine/graphics/scene.h"

#include "engine/graphics/blend_modes.h"

#include <gtest/gtest.h>

#include "engine/graphics/texture.h"
#include "support/engine_fixture.h"

namespace vuzed {
namespace {

using test::EngineFixture;

struct SceneTest : ::testing::Test {
  SceneTest() : F({false, false, false}), Scene(F.Device.get(), "Scene2") {}

  // A w x h sprite with its top-left corner at (x, y), colour tagged by `tag`.
  void Queue(float x, float y, float w, float h, uint32_t tag, int blend = 2, const TMXTexture* tex = nullptr,
             bool smooth = false, bool screen = true, float depth = 0) {
    const TSpriteVertex v[4] = {MakeSpriteVertex(tag, 0, 0, 0, 0), MakeSpriteVertex(tag, w, 0, 1, 0),
                                MakeSpriteVertex(tag, 0, h, 0, 1), MakeSpriteVertex(tag, w, h, 1, 1)};
    Scene.DrawSprite(MakePoint(x, y), v, tex, blend, smooth, screen, depth);
  }

  const std::vector<NullRenderBackend::DrawCall>& Render() {
    F.Device->BeginScene();
    Scene.Render(nullptr);
    F.Device->EndScene();
    F.Device->Present();
    return F.Backend.Frames.back();
  }

  EngineFixture F;
  TVZScene Scene;
};

TEST_F(SceneTest, ScreenSpritesDrawInQueueOrderAtTheirPositions) {
  Queue(10, 20, 8, 4, 0xFF000001);
  Queue(10, 20, 8, 4, 0xFF000002);
  Queue(100, 50, 2, 2, 0xFF000003, 1);
  const auto& draws = Render();
  ASSERT_EQ(draws.size(), 3u);
  EXPECT_EQ(draws[0].Vertices[0].Diffuse, 0xFF000001u);
  EXPECT_EQ(draws[1].Vertices[0].Diffuse, 0xFF000002u);  // the second covers the first
  EXPECT_EQ(draws[2].Vertices[0].Diffuse, 0xFF000003u);
  // Vertices are position + offset, in strip order TL, TR, BL, BR, rhw 0.5.
  EXPECT_FLOAT_EQ(draws[0].Vertices[1].X, 18);
  EXPECT_FLOAT_EQ(draws[0].Vertices[2].Y, 24);
  EXPECT_FLOAT_EQ(draws[0].Vertices[3].U, 1);
  EXPECT_FLOAT_EQ(draws[0].Vertices[0].Rhw, 0.5f);
  EXPECT_EQ(draws[0].Vertices[0].Specular, 0u);
  // Blend modes reach the device: 2 is alpha blending, 1 additive.
  EXPECT_EQ(draws[0].AlphaBlendEnable, 1u);
  EXPECT_EQ(draws[0].SrcBlend, d3d::BLEND_SRCALPHA);
  EXPECT_EQ(draws[0].DestBlend, d3d::BLEND_INVSRCALPHA);
  EXPECT_EQ(draws[2].DestBlend, d3d::BLEND_ONE);
}

TEST_F(SceneTest, QueuesAreEmptiedByRenderAndKeepTheirCapacity) {
  for (int i = 0; i < 40; ++i) Queue(float(i), 0, 1, 1, 0xFF000000u | uint32_t(i));
  EXPECT_EQ(Scene.ScreenQueue().SpriteCapacity(), 64u);
  EXPECT_EQ(Render().size(), 40u);
  EXPECT_EQ(Scene.ScreenQueue().SpriteCount(), 0u);
  EXPECT_EQ(Scene.ScreenQueue().SpriteCapacity(), 64u);
  EXPECT_EQ(Render().size(), 0u);  // nothing is drawn twice
}

TEST_F(SceneTest, ScreenSpritesIgnoreDepthAndNeverTestIt) {
  Queue(0, 0, 1, 1, 0xFF000001, 2, nullptr, false, true, -1);
  EXPECT_FLOAT_EQ(Scene.ScreenQueue().Sprite(0).Depth, 0);
  const auto& draws = Render();
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_FLOAT_EQ(draws[0].Vertices[0].Z, 0);
  // The screen queue runs with the depth function ALWAYS; afterwards LESSEQUAL again.
  EXPECT_EQ(F.Backend.RenderStateValue(RenderState::ZFunc), d3d::CMP_LESSEQUAL);
}

TEST_F(SceneTest, TranslucentSpritesWithNegativeDepthAreNeverDrawn) {
  Queue(0, 0, 1, 1, 0xFF000001, 2, nullptr, false, false, -1);
  Queue(0, 0, 1, 1, 0xFF000002, 2, nullptr, false, false, 0);
  EXPECT_EQ(Scene.TranslucentQueue().SpriteCount(), 2u);
  const auto& draws = Render();
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].Vertices[0].Diffuse, 0xFF000002u);
}

TEST_F(SceneTest, OpaqueNonScreenSpritesGoToTheOpaqueQueueAndDrawFirst) {
  Queue(0, 0, 1, 1, 0xFF000001, 2);                                // screen
  Queue(0, 0, 1, 1, 0xFF000002, 0, nullptr, false, false, 0.5f);  // opaque
  Queue(0, 0, 1, 1, 0xFF000003, 1, nullptr, false, false, 0.5f);  // translucent
  EXPECT_EQ(Scene.OpaqueQueue().SpriteCount(), 1u);
  const auto& draws = Render();
  ASSERT_EQ(draws.size(), 3u);
  EXPECT_EQ(draws[0].Vertices[0].Diffuse, 0xFF000002u);
  EXPECT_EQ(draws[1].Vertices[0].Diffuse, 0xFF000003u);
  EXPECT_EQ(draws[2].Vertices[0].Diffuse, 0xFF000001u);
}

TEST_F(SceneTest, TranslucentQueueDrawsFarBeforeNear) {
  Queue(0, 0, 1, 1, 0xFF000001, 2, nullptr, false, false, 0.2f);
  Queue(0, 0, 1, 1, 0xFF000002, 2, nullptr, false, false, 0.9f);
  Queue(0, 0, 1, 1, 0xFF000003, 2, nullptr, false, false, 0.5f);
  const auto& draws = Render();
  ASSERT_EQ(draws.size(), 3u);
  EXPECT_EQ(draws[0].Vertices[0].Diffuse, 0xFF000002u);
  EXPECT_EQ(draws[1].Vertices[0].Diffuse, 0xFF000003u);
  EXPECT_EQ(draws[2].Vertices[0].Diffuse, 0xFF000001u);
}

TEST(RenderingQueueSort, EqualKeysEndInTheOrderTheQuicksortLeavesThem) {
  // Four equal keys (as every spell-card layer sprite has): the first
  // partition reverses them, then each half is swapped once more.
  std::vector<float> keys{0, 0, 0, 0};
  std::vector<size_t> entries{0, 1, 2, 3};
  TVZRenderingQueue::SortDescending(keys, entries, 0, 3);
  EXPECT_EQ(entries, (std::vector<size_t>{2, 3, 0, 1}));

  std::vector<float> mixed{1, 5, 3, 5, 2, 4};
  std::vector<size_t> order{0, 1, 2, 3, 4, 5};
  TVZRenderingQueue::SortDescending(mixed, order, 0, 5);
  EXPECT_EQ(mixed, (std::vector<float>{5, 5, 4, 3, 2, 1}));
}

TEST_F(SceneTest, RunsOfTheSameStateCostNoStateCalls) {
  TMXTexture tex(F.Device.get(), GameTextureFormats());
  tex.SetSize(4, 4);
  for (int i = 0; i < 5; ++i) Queue(float(i), 0, 1, 1, 0xFFFFFFFF, 2, &tex, true);
  F.Device->BeginScene();
  Scene.Render(nullptr);
  const auto& calls = F.Backend.StateCalls;
  int textureBinds = 0, filterSets = 0, blendEnables = 0;
  for (const auto& c : calls) {
    if (c.Kind == 3 && c.Value != 0) ++textureBinds;
    if (c.Kind == 1 && c.State == uint32_t(SamplerState::MagFilter)) ++filterSets;
    if (c.Kind == 0 && c.State == uint32_t(RenderState::AlphaBlendEnable) && c.Value == 1) ++blendEnables;
  }
  EXPECT_EQ(textureBinds, 1);
  EXPECT_EQ(blendEnables, 1);
  // One filter change for the run, one restore afterwards.
  EXPECT_EQ(filterSets, 2);
  EXPECT_EQ(F.Backend.Draws.size(), 5u);
  EXPECT_EQ(F.Backend.Draws[0].MagFilter, d3d::TEXF_LINEAR);
  EXPECT_EQ(F.Backend.GetSamplerState(SamplerState::MagFilter), d3d::TEXF_POINT);
}

TEST_F(SceneTest, ATextureFreedAfterQueueingDrawsUntextured) {
  auto tex = std::make_unique<TMXTexture>(F.Device.get(), GameTextureFormats());
  tex->SetSize(2, 2);
  Queue(0, 0, 1, 1, 0xFFFFFFFF, 2, tex.get());
  Queue(0, 0, 1, 1, 0xFFFFFFFF, 2, tex.get());
  uint32_t id = tex->Image()->Id;
  tex.reset();
  const auto& draws = Render();
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_NE(id, 0u);
  EXPECT_EQ(draws[0].TextureId, 0u);
  EXPECT_EQ(draws[1].TextureId, 0u);
}

TEST(BlendModes, OutOfRangeModesReadAsOpaque) {
  EXPECT_FALSE(IsTranslucentMode(-1));
  EXPECT_FALSE(IsTranslucentMode(6));
  EXPECT_TRUE(IsTranslucentMode(1));
  EXPECT_TRUE(IsTranslucentMode(4));
  EXPECT_FALSE(IsTranslucentMode(5));
  EXPECT_EQ(BlendModeRecord(5).CmpFunc, d3d::CMP_GREATER);
}

}  // namespace
}  // namespace vuzed
