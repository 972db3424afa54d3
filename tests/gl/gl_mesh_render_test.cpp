// Meshes on the OpenGL renderer: transforms and viewport, per-vertex lighting
// with material sources, the texture stage, depth, culling and buffer uploads.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "gl/gl_backend_fixture.h"

namespace vuzed {
namespace {

using namespace test;

// A vertex of the background meshes' format (XYZ, normal, diffuse, specular, one u v).
struct Vertex40 {
  float X, Y, Z, NX, NY, NZ;
  uint32_t Diffuse, Specular;
  float U, V;
};
static_assert(sizeof(Vertex40) == 40);

struct MeshBytes {
  std::vector<Vertex40> Vertices;
  std::vector<uint16_t> Indices;
  GeometryImage VertexImage, IndexImage;
  MeshBytes(uint32_t id, std::vector<Vertex40> v, std::vector<uint16_t> i) : Vertices(std::move(v)), Indices(std::move(i)) {
    VertexImage = GeometryImage{id, 1, 0x1D2, 40, int(Vertices.size()),
                                reinterpret_cast<const uint8_t*>(Vertices.data())};
    IndexImage = GeometryImage{id + 1, 1, 0, 2, int(Indices.size()), reinterpret_cast<const uint8_t*>(Indices.data())};
  }
};

// A unit square in the z = depth plane from (x, y) to (x + 1, y + 1), facing
// the camera (normal -z), wound to be seen from the camera.
MeshBytes Square(uint32_t id, float x, float y, float depth, uint32_t diffuse, uint32_t specular = 0) {
  auto v = [&](float px, float py, float u, float w) {
    return Vertex40{px, py, depth, 0, 0, -1, diffuse, specular, u, w};
  };
  return MeshBytes(id, {v(x, y, 0, 1), v(x, y + 1, 0, 0), v(x + 1, y, 1, 1), v(x + 1, y + 1, 1, 0)},
                   {0, 1, 2, 1, 3, 2});
}

struct GlMeshTest : GlRenderBackendTest {
  // The game's camera: fov pi/2, aspect 0.75, near 0.01, far 10000, at the
  // origin looking along +z.
  void GameView(float cameraZ = 0) {
    TMatrix projection;
    projection.M[0][0] = 0.75f;
    projection.M[2][2] = 10000 / (10000 - 0.01f);
    projection.M[2][3] = 1;
    projection.M[3][2] = -0.01f * 10000 / (10000 - 0.01f);
    projection.M[3][3] = 0;
    Gl->SetTransform(TransformType::Projection, projection);
    TMatrix view;
    view.M[3][2] = -cameraZ;
    Gl->SetTransform(TransformType::View, view);
    Gl->SetViewport(TViewport{0, 0, 640, 480, 0, 1});
  }
  void Draw(const MeshBytes& mesh) { Gl->DrawIndexedTriangleList(mesh.VertexImage, mesh.IndexImage, 0, 2); }
};

// z = 2 seen from the origin: x 0..1 covers columns 320..440, y 0..1 rows 240 up to 120.
TEST_F(GlMeshTest, TransformsPutASquareWhereDirect3DWouldAndCullItsBackFace) {
  BeginFrame(kBlack);
  GameView(-1);  // camera at z = -1, square at z = 1
  Gl->SetRenderState(RenderState::Lighting, 0);
  MeshBytes square = Square(100, 0, 0, 1, kRed);
  Draw(square);
  EndFrame();
  EXPECT_TRUE(Near(At(380, 180), {255, 0, 0}));
  EXPECT_TRUE(Near(At(436, 124), {255, 0, 0}));
  for (auto [x, y] : {std::pair{316, 180}, {444, 180}, {380, 116}, {380, 244}})
    EXPECT_TRUE(Near(At(x, y), {0, 0, 0})) << x << "," << y;

  // The same square wound the other way is its back: culled.
  BeginFrame(kBlack);
  GameView(-1);
  Gl->SetRenderState(RenderState::Lighting, 0);
  std::swap(square.Indices[1], square.Indices[2]);
  std::swap(square.Indices[4], square.Indices[5]);
  square.IndexImage.Version = 2;
  Draw(square);
  EndFrame();
  EXPECT_TRUE(Near(At(380, 180), {0, 0, 0}));
}

TEST_F(GlMeshTest, LightingFollowsTheFixedFunctionFormula) {
  struct Row {
    TVector Direction;     // the light shines along it
    TColorValue Ambient;   // of the light
    bool VertexColour;     // COLORVERTEX: the vertex diffuse stands in for the material's
    Rgb Want;
  } rows[] = {
      {{0, 0, 1}, {0, 0, 0, 1}, true, {0x40, 0x80, 0x20}},            // N.L = 1: the vertex colour
      {{0, 0.6f, 0.8f}, {0, 0, 0, 1}, true, {51, 102, 26}},           // N.L = 0.8
      {{0, 0, 1}, {0.25f, 0.25f, 0.25f, 1}, true, {128, 191, 96}},    // + ambient x material ambient (white)
      {{0, 0, -1}, {0, 0, 0, 1}, true, {0, 0, 0}},                    // lit from behind
      {{0, 0, 1}, {0, 0, 0, 1}, false, {127, 127, 127}},              // the material's diffuse (0.5)
  };
  for (const Row& row : rows) {
    BeginFrame(kBlack);
    GameView(-1);
    Gl->SetRenderState(RenderState::ColorVertex, row.VertexColour ? 1 : 0);
    D3DMaterial material;
    material.Diffuse = TColorValue{0.5f, 0.5f, 0.5f, 1};
    Gl->SetMaterial(material);
    D3DLight light;
    light.Direction = row.Direction;
    light.Ambient = row.Ambient;
    Gl->SetLight(0, light);
    Gl->LightEnable(0, true);
    Gl->SetLight(1, D3DLight{});  // set but off
    Draw(Square(110, 0, 0, 1, 0xFF408020));
    EndFrame();
    EXPECT_TRUE(Near(At(380, 180), row.Want)) << row.Direction.Y << " ambient " << row.Ambient.R;
  }
}

TEST_F(GlMeshTest, TextureAndSpecularModulateAndAddToTheLitColour) {
  TestTexture texture(7, 1, 1, fmt::A8R8G8B8, {0xFF80FF40});
  BeginFrame(kBlack);
  GameView(-1);
  Gl->SetTexture(&texture.Image);
  Gl->SetRenderState(RenderState::SpecularEnable, 1);
  D3DLight light;  // white, head on
  light.Specular = TColorValue{1, 1, 1, 1};
  Gl->SetLight(0, light);
  Gl->LightEnable(0, true);
  // Vertex specular (32, 0, 0) x light specular x (N.H)^10 with N.H about 1 near the centre.
  Draw(Square(120, -0.05f, -0.05f, 1, 0xFF808080, 0xFF200000));
  EndFrame();
  const Rgb got = At(320, 240);
  EXPECT_TRUE(Near(got, {0x40 + 0x20, 0x80, 0x20}, 4)) << got;
}

TEST_F(GlMeshTest, TheDepthBufferDecidesWhatIsInFrontWhateverTheOrder) {
  DeviceSettings settings;
  settings.DepthFormat = fmt::D16;
  ASSERT_TRUE(Gl->CreateDevice(settings)) << Gl->LastError();
  for (bool depth : {true, false}) {
    BeginFrame(kBlack);
    Gl->Clear(d3d::CLEAR_ZBUFFER, 0, 1.0f, 0);
    GameView(-1);
    Gl->SetRenderState(RenderState::Lighting, 0);
    Gl->SetRenderState(RenderState::ZEnable, depth ? 1 : 0);
    MeshBytes near = Square(130, 0, 0, 1, kRed);
    MeshBytes far = Square(132, 0, 0, 2, kBlue);  // farther: columns 320..400, rows 160..240
    Draw(near);
    Draw(far);
    EndFrame();
    EXPECT_TRUE(Near(At(380, 180), depth ? Rgb{255, 0, 0} : Rgb{0, 0, 255})) << depth;
  }
}

TEST_F(GlMeshTest, BuffersUploadOncePerVersionAndSpritesAfterAMeshKeepTheirPixels) {
  MeshBytes square = Square(140, 0, 0, 1, kGreen);
  const uint64_t before = Gl->GeometryUploadCount();
  for (int frame = 0; frame < 2; ++frame) {
    BeginFrame(kBlack);
    GameView(-1);
    Gl->SetRenderState(RenderState::Lighting, 0);
    Draw(square);
    Sprite(10, 10, 20, 20, kWhite);
    EndFrame();
  }
  EXPECT_EQ(Gl->GeometryUploadCount(), before + 2);  // vertices and indices, once
  EXPECT_TRUE(Near(At(380, 180), {0, 255, 0}));
  EXPECT_TRUE(Near(At(15, 15), {255, 255, 255}));
  EXPECT_TRUE(Near(At(21, 15), {0, 0, 0}));
  square.Vertices[0].Diffuse = kRed;
  square.VertexImage.Version = 2;
  Gl->ForgetGeometry(square.IndexImage.Id);
  BeginFrame(kBlack);
  GameView(-1);
  Draw(square);
  EndFrame();
  EXPECT_EQ(Gl->GeometryUploadCount(), before + 4);
  // An index past the vertices, or a format without a position, draws nothing.
  MeshBytes broken = Square(150, 0, 0, 1, kRed);
  broken.Indices[5] = 9;
  MeshBytes noPosition = Square(152, 0, 0, 1, kRed);
  noPosition.VertexImage.FVF = 0x1D0;
  BeginFrame(kBlack);
  GameView(-1);
  Gl->SetRenderState(RenderState::Lighting, 0);
  Draw(broken);
  Draw(noPosition);
  EndFrame();
  EXPECT_TRUE(Near(At(380, 180), {0, 0, 0}));
}

}  // namespace
}  // namespace vuzed
