#include "engine/graphics/scene.h"

#include "engine/graphics/blend_modes.h"

#include <gtest/gtest.h>

#include <sstream>

#include "engine/graphics/frame.h"
#include "engine/graphics/mesh.h"
#include "engine/graphics/texture.h"
#include "support/engine_fixture.h"
#include "support/vz_writer.h"

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
  // Past several doublings, and again after a render, every sprite is kept
  // and drawn in the order queued.
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < 300; ++i) Queue(float(i), 0, 1, 1, 0xFF000000u | uint32_t(i));
    EXPECT_EQ(Scene.ScreenQueue().SpriteCapacity(), 512u);
    for (size_t i : {0u, 31u, 32u, 63u, 64u, 127u, 128u, 299u})
      EXPECT_EQ(Scene.ScreenQueue().Sprite(i).Vertices[0].Color, 0xFF000000u | uint32_t(i)) << i;
    const auto& draws = Render();
    ASSERT_EQ(draws.size(), 300u);
    for (size_t i = 0; i < draws.size(); ++i) ASSERT_EQ(draws[i].Vertices[0].Diffuse, 0xFF000000u | uint32_t(i)) << i;
  }
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

namespace vuzed {
namespace {

// Frames drawn by a callback that notes their name and how many sprites had
// been drawn before them.
struct SceneFrameTest : SceneTest {
  TVZFrame* Add(TVZFrame* parent, char name, int32_t blend = 0, float key = 0) {
    TVZFrame* frame = parent->NewChild();
    frame->BlendMode = blend;
    frame->CustomDepthKey = [key](const TVZFrame&) { return key; };
    frame->CustomDraw = [this, name](TVZFrame& f) {
      Order += name;
      SpritesBefore.push_back(F.Backend.Draws.size());
      Worlds.push_back(F.Backend.World);
      (void)f;
    };
    return frame;
  }
  void RenderTree() { Scene.Render(&Root); }
  TVZFrame Root;
  std::string Order;
  std::vector<size_t> SpritesBefore;
  std::vector<TMatrix> Worlds;
};

TEST_F(SceneFrameTest, VisibilityDecidesWhatIsDrawnAndWhatIsVisited) {
  TVZFrame* a = Add(&Root, 'a');
  a->Visibility = FrameChildrenOnly;
  Add(a, 'b');
  TVZFrame* c = Add(&Root, 'c');
  c->Visibility = FrameHidden;
  Add(c, 'd');
  Add(&Root, 'e');
  RenderTree();
  EXPECT_EQ(Order, "be");
  EXPECT_TRUE(a->WorldValid);
  EXPECT_FALSE(a->Queued);
  EXPECT_FALSE(c->WorldValid);
  // A frame's own sphere culls its whole subtree.
  a->Visibility = FrameVisible;
  a->CullByOwnSphere = true;
  a->OwnSphereCentre = MakeVector(0, 0, -5);
  Order.clear();
  RenderTree();
  EXPECT_EQ(Order, "e");
}

TEST_F(SceneFrameTest, DrawnFramesGetTheirOffsetWorldAndTheirStates) {
  TVZFrame* parent = Add(&Root, 'p');
  parent->Local.M[3][0] = 10;
  TVZFrame* child = Add(parent, 'c');
  child->Local.M[3][1] = 2;
  child->Offset.M[0][0] = 3;
  child->Lighting = false;
  child->FillMode = 2;
  RenderTree();
  ASSERT_EQ(Worlds.size(), 2u);
  EXPECT_EQ(MatrixTranslation(child->World), MakeVector(10, 2, 0));  // the offset is not part of the world
  EXPECT_EQ(Worlds[1].M[0][0], 3);
  EXPECT_EQ(MatrixTranslation(Worlds[1]), MakeVector(10, 2, 0));
  EXPECT_EQ(F.Backend.RenderStateValue(RenderState::FillMode), d3d::FILL_SOLID);  // sprites' states after
}

TEST_F(SceneFrameTest, TranslucentFramesAndSpritesSortTogetherFarFirst) {
  Add(&Root, 'n', 2, 1);
  Add(&Root, 'f', 1, 5);
  Add(&Root, 'o', 0, 0);  // opaque: before every translucent entry
  Queue(0, 0, 4, 4, 0xFF000001, 2, nullptr, true, false, 3);
  RenderTree();
  EXPECT_EQ(Order, "ofn");
  ASSERT_EQ(SpritesBefore.size(), 3u);
  EXPECT_EQ(SpritesBefore[1], 0u);
  EXPECT_EQ(SpritesBefore[2], 1u);  // the sprite at depth 3 lies between 5 and 1
  // The smooth sprite set linear filtering; the frame after it got the old filters back.
  const auto& calls = F.Backend.StateCalls;
  size_t linear = calls.size(), restored = calls.size();
  for (size_t i = 0; i < calls.size(); ++i) {
    if (calls[i].Kind == 1 && calls[i].State == uint32_t(SamplerState::MagFilter)) {
      if (calls[i].Value == d3d::TEXF_LINEAR) linear = i;
      else if (linear < calls.size() && restored == calls.size()) restored = i;
    }
  }
  ASSERT_LT(linear, calls.size());
  ASSERT_LT(restored, calls.size());
  EXPECT_EQ(calls[restored].Value, d3d::TEXF_POINT);
}

// A run of sprites of one picture asks the registry once, but a picture
// freed in the middle of the run (by a frame drawn between them) is no
// longer read.
TEST_F(SceneFrameTest, APictureFreedBetweenTwoOfItsSpritesIsNotReadAfter) {
  auto tex = std::make_unique<TMXTexture>(F.Device.get(), GameTextureFormats());
  tex->SetSize(2, 2);
  Queue(0, 0, 4, 4, 0xFF000001, 2, tex.get(), false, false, 5);
  Queue(0, 0, 4, 4, 0xFF000002, 2, tex.get(), false, false, 4);
  TVZFrame* frame = Add(&Root, 'x', 2, 3);
  frame->CustomDraw = [&tex](TVZFrame&) { tex.reset(); };
  Queue(0, 0, 4, 4, 0xFF000003, 2, tex.get(), false, false, 1);
  const uint32_t id = tex->Image()->Id;
  RenderTree();
  const auto& draws = F.Backend.Draws;
  ASSERT_EQ(draws.size(), 3u);
  EXPECT_EQ(draws[0].TextureId, id);
  EXPECT_EQ(draws[1].TextureId, id);
  EXPECT_EQ(draws[2].TextureId, 0u);
}

TEST_F(SceneTest, SpheresAreCulledJustBehindTheCameraAndKeptAtTheFarPlane) {
  const TMatrix identity;
  const float r = 2, far = Scene.FarPlane();
  struct Row {
    TVector Centre;
    float Radius;
    bool Visible;
  } rows[] = {
      {{0, 0, -r - 0.001f}, r, false}, {{0, 0, -r}, r, true},          {{0, 0, far + r}, r, true},
      {{0, 0, far + r + 1}, r, false}, {{0, 0, 10}, 0, false},          {{13, 0, 10}, r, false},
      {{12.5f, 0, 10}, r, true},       {{0, -13, 10}, r, false},        {{0, 12.5f, 10}, r, true},
  };
  for (const Row& row : rows)
    EXPECT_EQ(Scene.SphereInFrustum(identity, row.Centre, row.Radius), row.Visible)
        << row.Centre.X << "," << row.Centre.Y << "," << row.Centre.Z << " r " << row.Radius;
}

TEST_F(SceneTest, ViewportAndProjectionReachTheDeviceAndComeBackAfterAReset) {
  Scene.SetViewport(10, 20, 650, 500);
  Scene.SetProjection(1.5707964f, 0.75f, 0.01f, 10000);
  EXPECT_EQ(F.Backend.Viewport, (TViewport{10, 20, 640, 480, 0, 1}));
  EXPECT_FLOAT_EQ(F.Backend.Projection.M[0][0], 0.75f);
  EXPECT_FLOAT_EQ(F.Backend.Projection.M[2][3], 1);
  EXPECT_FLOAT_EQ(F.Backend.Projection.M[3][2], -0.01f * 10000 / (10000 - 0.01f));
  EXPECT_FLOAT_EQ(Scene.ViewportMatrix().M[1][1], -240);
  EXPECT_FLOAT_EQ(Scene.ViewportMatrix().M[3][0], 330);
  F.Backend.Viewport = TViewport{};
  F.Backend.Projection = TMatrix{};
  F.Device->ChangeToFullScreen(640, 480, fmt::X8R8G8B8, {fmt::D16});
  EXPECT_EQ(F.Backend.Viewport.Width, 640);
  EXPECT_FLOAT_EQ(F.Backend.Projection.M[0][0], 0.75f);
}

}  // namespace
}  // namespace vuzed

namespace vuzed {
namespace {

TEST_F(SceneTest, MeshFramesAreCulledByTheirSphereAndKeyedByTheirDepthMode) {
  // A triangle spanning z -1..1 around the origin.
  std::stringstream file(test::MakeVz(test::Version0(
      {test::Vertex40(-1, 0, -1), test::Vertex40(0, 1, 1), test::Vertex40(1, 0, -1)}, {0, 1, 2})));
  TVZMesh mesh(F.Device.get(), "V", "I");
  ASSERT_TRUE(mesh.LoadFromStream(file));
  TVZFrame root;
  TVZFrame* ahead = root.NewChild();
  TVZFrame* behind = root.NewChild();
  ahead->Mesh = behind->Mesh = &mesh;
  ahead->SetPosition(&root, MakeVector(0, 0, 5));
  behind->SetPosition(&root, MakeVector(0, 0, -5));
  Scene.Render(&root);
  EXPECT_TRUE(ahead->Queued);
  EXPECT_FALSE(behind->Queued);
  ASSERT_EQ(F.Backend.MeshDraws.size(), 1u);
  EXPECT_FLOAT_EQ(F.Backend.MeshDraws[0].World.M[3][2], 5);

  // Without a camera the view-space depth is the z of the projected point.
  const TMatrix viewProjection = MatrixMultiply(Scene.ViewMatrix(), Scene.Projection());
  for (auto [mode, key] : {std::pair{DepthCentre, 5.0f}, {DepthFarSide, 6.0f}, {DepthNearSide, 4.0f}}) {
    ahead->DepthMode = mode;
    EXPECT_FLOAT_EQ(TVZRenderingQueue::FrameDepthKey(*ahead, viewProjection), key) << mode;
  }
}

}  // namespace
}  // namespace vuzed
