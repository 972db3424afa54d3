// The OpenGL renderer on a real context (SDL's offscreen video driver, Mesa's
// software rasteriser): sprites drawn through the Direct3D-shaped interface
// and read back from the presented frame.

#include "engine/platform/gl_render_backend.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "engine/graphics/d3d_types.h"
#include "engine/platform/screenshot.h"
#include "engine/platform/sdl_platform.h"
#include "support/test_dir.h"
#include "gl/gl_backend_fixture.h"

namespace vuzed {
namespace {

using namespace test;

TEST_F(GlRenderBackendTest, ReportsItsCapabilities) {
  DeviceCaps caps = Gl->GetCaps();
  EXPECT_FALSE(caps.Driver.empty());
  EXPECT_NE(caps.Description.find("OpenGL"), std::string::npos);
  EXPECT_GE(caps.MaxTextureWidth, 2048);
  EXPECT_FALSE(caps.TexturePow2);
  EXPECT_FALSE(caps.SquareOnly);
  for (D3DFORMAT f : {fmt::A8R8G8B8, fmt::X8R8G8B8, fmt::A4R4G4B4, fmt::A1R5G5B5, fmt::R5G6B5,
                      fmt::X1R5G5B5})
    EXPECT_TRUE(Gl->CheckTextureFormat(f)) << f;
  EXPECT_FALSE(Gl->CheckTextureFormat(fmt::DXT1));
  EXPECT_FALSE(Gl->CheckTextureFormat(fmt::P8));
  for (D3DFORMAT f : {fmt::D16, fmt::D16_LOCKABLE, fmt::D32, fmt::D24S8, fmt::D24X8})
    EXPECT_TRUE(Gl->CheckDepthFormat(f)) << f;
  EXPECT_FALSE(Gl->CheckDepthFormat(fmt::D15S1));
  EXPECT_EQ(Gl->TestCooperativeLevel(), CooperativeLevel::Ok);
  EXPECT_TRUE(Gl->Reset());
}

TEST_F(GlRenderBackendTest, WindowIsTheGamesWindow) {
  WindowHost& w = Platform_->Window();
  EXPECT_EQ(w.ClientWidth(), 640);
  EXPECT_EQ(w.ClientHeight(), 480);
  EXPECT_TRUE(w.IsActive());
  w.ProcessMessages();
  EXPECT_FALSE(w.CloseRequested());
}

TEST_F(GlRenderBackendTest, SpriteCoversTheSamePixelsAsDirect3D) {
  BeginFrame(kBlack);
  BlendMode(0);
  Sprite(10, 10, 20, 20, kWhite);
  EndFrame();
  for (int y = 8; y <= 21; ++y) {
    for (int x = 8; x <= 21; ++x) {
      bool inside = x >= 10 && x <= 19 && y >= 10 && y <= 19;
      EXPECT_TRUE(Near(At(x, y), inside ? Rgb{255, 255, 255} : Rgb{0, 0, 0}, 0))
          << "pixel " << x << "," << y;
    }
  }
}

TEST_F(GlRenderBackendTest, HalfPixelEdgesRoundTowardLaterPixels) {
  // Pixel centres are whole coordinates: 10.5 .. 20.5 holds centres 11 .. 20.
  BeginFrame(kBlack);
  BlendMode(0);
  Sprite(10.5f, 10.5f, 20.5f, 20.5f, kWhite);
  EndFrame();
  EXPECT_TRUE(Near(At(10, 15), {0, 0, 0}, 0));
  EXPECT_TRUE(Near(At(11, 15), {255, 255, 255}, 0));
  EXPECT_TRUE(Near(At(20, 15), {255, 255, 255}, 0));
  EXPECT_TRUE(Near(At(21, 15), {0, 0, 0}, 0));
  EXPECT_TRUE(Near(At(15, 10), {0, 0, 0}, 0));
  EXPECT_TRUE(Near(At(15, 11), {255, 255, 255}, 0));
  EXPECT_TRUE(Near(At(15, 20), {255, 255, 255}, 0));
  EXPECT_TRUE(Near(At(15, 21), {0, 0, 0}, 0));
}

TEST_F(GlRenderBackendTest, FullScreenSpriteReachesEveryEdge) {
  BeginFrame(kBlack);
  BlendMode(0);
  Sprite(0, 0, 640, 480, kGreen);
  EndFrame();
  for (auto [x, y] : {std::pair{0, 0}, {639, 0}, {0, 479}, {639, 479}, {320, 240}})
    EXPECT_TRUE(Near(At(x, y), {0, 255, 0}, 0)) << x << "," << y;
}

TEST_F(GlRenderBackendTest, FirstRowReadBackIsTheTopOfTheScreen) {
  BeginFrame(kBlack);
  BlendMode(0);
  Sprite(0, 0, 640, 1, kRed);
  Sprite(0, 479, 640, 480, kBlue);
  EndFrame();
  EXPECT_TRUE(Near(At(5, 0), {255, 0, 0}, 0));
  EXPECT_TRUE(Near(At(5, 1), {0, 0, 0}, 0));
  EXPECT_TRUE(Near(At(5, 479), {0, 0, 255}, 0));
}

TEST_F(GlRenderBackendTest, ClearFillsWithTheArgbColour) {
  BeginFrame(0xFF204060);
  EndFrame();
  EXPECT_TRUE(Near(At(0, 0), {0x20, 0x40, 0x60}, 0));
  EXPECT_TRUE(Near(At(639, 479), {0x20, 0x40, 0x60}, 0));
}

TEST_F(GlRenderBackendTest, AdditiveBlendAddsAlphaWeightedSource) {
  BeginFrame(kBlue);
  BlendMode(1);
  Sprite(100, 100, 140, 140, 0x80FF0000);
  EndFrame();
  EXPECT_TRUE(Near(At(120, 120), {128, 0, 255}));
  EXPECT_TRUE(Near(At(99, 120), {0, 0, 255}, 0));
}

TEST_F(GlRenderBackendTest, AlphaBlendMixesSourceAndDestination) {
  BeginFrame(kBlue);
  BlendMode(2);
  Sprite(100, 100, 140, 140, 0x80FF0000);
  EndFrame();
  EXPECT_TRUE(Near(At(120, 120), {128, 0, 127}));
}

TEST_F(GlRenderBackendTest, DarkenAndMultiplyModesUseSourceColour) {
  BeginFrame(0xFF808080);
  Gl->SetRenderState(RenderState::AlphaBlendEnable, 1);
  Gl->SetRenderState(RenderState::SrcBlend, d3d::BLEND_ZERO);
  Gl->SetRenderState(RenderState::DestBlend, d3d::BLEND_INVSRCCOLOR);  // mode 3
  Sprite(0, 0, 10, 10, 0xFFFF0000);
  Gl->SetRenderState(RenderState::DestBlend, d3d::BLEND_SRCCOLOR);  // mode 4
  Sprite(20, 0, 30, 10, 0xFFFF0000);
  EndFrame();
  EXPECT_TRUE(Near(At(5, 5), {0, 128, 128}));
  EXPECT_TRUE(Near(At(25, 5), {128, 0, 0}));
}

TEST_F(GlRenderBackendTest, LaterSpriteCoversEarlierOne) {
  BeginFrame(kBlack);
  BlendMode(2);
  Sprite(50, 50, 90, 90, kRed);
  Sprite(70, 70, 110, 110, kGreen);
  EndFrame();
  EXPECT_TRUE(Near(At(60, 60), {255, 0, 0}, 0));
  EXPECT_TRUE(Near(At(80, 80), {0, 255, 0}, 0));
  EXPECT_TRUE(Near(At(100, 100), {0, 255, 0}, 0));
}

TEST_F(GlRenderBackendTest, TransparentTexelLeavesTheBackground) {
  // 2 x 2: a colour-keyed (alpha 0) texel top left, then red, green, blue.
  TestTexture tex(1, 2, 2, fmt::A8R8G8B8, {0x00FFFFFF, kRed, kGreen, kBlue});
  BeginFrame(0xFF404040);
  BlendMode(2);
  Filter(false);
  Gl->SetTexture(&tex.Image);
  Sprite(0, 0, 20, 20, kWhite);
  EndFrame();
  EXPECT_TRUE(Near(At(4, 4), {0x40, 0x40, 0x40}, 0));
  EXPECT_TRUE(Near(At(14, 4), {255, 0, 0}, 0));
  EXPECT_TRUE(Near(At(4, 14), {0, 255, 0}, 0));
  EXPECT_TRUE(Near(At(14, 14), {0, 0, 255}, 0));
}

TEST_F(GlRenderBackendTest, AlphaTestDiscardsTransparentTexelsWithoutBlending) {
  TestTexture tex(2, 2, 1, fmt::A8R8G8B8, {0x00FF0000, 0x09FF0000});
  BeginFrame(kBlue);
  BlendMode(5);
  Gl->SetRenderState(RenderState::AlphaRef, 8);
  Filter(false);
  Gl->SetTexture(&tex.Image);
  Sprite(0, 0, 20, 10, kWhite);
  EndFrame();
  EXPECT_TRUE(Near(At(5, 5), {0, 0, 255}, 0));   // alpha 0: discarded
  EXPECT_TRUE(Near(At(15, 5), {255, 0, 0}, 0));  // alpha 9 > 8: drawn opaque
}

TEST_F(GlRenderBackendTest, VertexColourModulatesTheTexture) {
  TestTexture tex(3, 1, 1, fmt::A8R8G8B8, {0xFF8080FF});
  BeginFrame(kBlack);
  BlendMode(2);
  Gl->SetTexture(&tex.Image);
  Sprite(0, 0, 10, 10, 0xFFFF8000);
  Sprite(20, 0, 30, 10, 0x80FFFFFF);  // half alpha: half of the texel over black
  EndFrame();
  EXPECT_TRUE(Near(At(5, 5), {128, 64, 0}));
  EXPECT_TRUE(Near(At(25, 5), {64, 64, 128}));
}

TEST_F(GlRenderBackendTest, UntexturedSpriteIsItsVertexColour) {
  TestTexture tex(4, 1, 1, fmt::A8R8G8B8, {0xFF0000FF});
  BeginFrame(kBlack);
  BlendMode(2);
  Gl->SetTexture(&tex.Image);
  Sprite(0, 0, 10, 10, kWhite);
  Gl->SetTexture(nullptr);
  Sprite(20, 0, 30, 10, 0xFF123456);
  EndFrame();
  EXPECT_TRUE(Near(At(5, 5), {0, 0, 255}, 0));
  EXPECT_TRUE(Near(At(25, 5), {0x12, 0x34, 0x56}, 0));
}

TEST_F(GlRenderBackendTest, PointAndLinearFilteringDiffer) {
  TestTexture tex(5, 2, 2, fmt::A8R8G8B8, {kBlack, kWhite, kWhite, kBlack});
  auto countGreys = [&] {
    int greys = 0;
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x) {
        int r = At(x, y).R;
        if (r > 8 && r < 247) ++greys;
      }
    return greys;
  };
  BeginFrame(kBlack);
  BlendMode(0);
  Filter(false);
  Gl->SetTexture(&tex.Image);
  Sprite(0, 0, 64, 64, kWhite);
  EndFrame();
  EXPECT_EQ(countGreys(), 0);
  EXPECT_TRUE(Near(At(10, 10), {0, 0, 0}, 0));
  EXPECT_TRUE(Near(At(50, 10), {255, 255, 255}, 0));

  BeginFrame(kBlack);
  Filter(true);
  Gl->SetTexture(&tex.Image);
  Sprite(0, 0, 64, 64, kWhite);
  EndFrame();
  EXPECT_GT(countGreys(), 64 * 64 / 4);
  EXPECT_EQ(Gl->GetSamplerState(SamplerState::MagFilter), d3d::TEXF_LINEAR);
}

// Drawn at its own size with point sampling, every texel lands on its own
// pixel: Direct3D samples pixel x at u = x / width, exactly on the texel's
// left edge, and takes that texel.
TEST_F(GlRenderBackendTest, PointSampledPictureMapsTexelsOneToOne) {
  for (auto [w, h, x0, y0] : {std::array{640, 480, 0, 0}, std::array{100, 37, 13, 250},
                              std::array{256, 256, 300, 100}}) {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) pixels.push_back(0xFF000000u | uint32_t(x) << 12 | uint32_t(y));
    TestTexture tex(uint32_t(50 + w), w, h, fmt::A8R8G8B8, pixels);
    BeginFrame(kBlack);
    BlendMode(2);
    Filter(false);
    Gl->SetTexture(&tex.Image);
    Sprite(float(x0), float(y0), float(x0 + w), float(y0 + h), kWhite);
    EndFrame();
    int wrong = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        Rgb c = At(x0 + x, y0 + y);
        uint32_t got = uint32_t(c.R) << 16 | uint32_t(c.G) << 8 | uint32_t(c.B);
        uint32_t want = (uint32_t(x) << 12 | uint32_t(y)) & 0xFFFFFF;
        if (got != want && wrong++ < 5)
          ADD_FAILURE() << w << "x" << h << ": pixel " << x << "," << y << " shows texel "
                        << (got >> 12) << "," << (got & 0xFFF);
      }
    EXPECT_EQ(wrong, 0) << w << "x" << h;
  }
}

TEST_F(GlRenderBackendTest, NewVersionIsUploadedAgainSameVersionIsNot) {
  TestTexture tex(6, 1, 1, fmt::A8R8G8B8, {kRed});
  BeginFrame(kBlack);
  BlendMode(0);
  Gl->SetTexture(&tex.Image);
  Sprite(0, 0, 10, 10, kWhite);
  EndFrame();
  EXPECT_TRUE(Near(At(5, 5), {255, 0, 0}, 0));

  // Changed pixels under the same version: the uploaded copy is still drawn.
  tex.Store({kGreen});
  BeginFrame(kBlack);
  Gl->SetTexture(nullptr);
  Gl->SetTexture(&tex.Image);
  Sprite(0, 0, 10, 10, kWhite);
  EndFrame();
  EXPECT_TRUE(Near(At(5, 5), {255, 0, 0}, 0));

  tex.Image.Version = 2;
  BeginFrame(kBlack);
  Gl->SetTexture(&tex.Image);
  Sprite(0, 0, 10, 10, kWhite);
  EndFrame();
  EXPECT_TRUE(Near(At(5, 5), {0, 255, 0}, 0));
}

TEST_F(GlRenderBackendTest, ResizedTextureIsRecreated) {
  TestTexture small(7, 1, 1, fmt::A8R8G8B8, {kRed});
  TestTexture big(7, 2, 1, fmt::A8R8G8B8, {kGreen, kBlue});
  big.Image.Version = 2;
  BeginFrame(kBlack);
  BlendMode(0);
  Gl->SetTexture(&small.Image);
  Sprite(0, 0, 10, 10, kWhite);
  Gl->SetTexture(&big.Image);
  Sprite(20, 0, 40, 10, kWhite);
  EndFrame();
  EXPECT_TRUE(Near(At(5, 5), {255, 0, 0}, 0));
  EXPECT_TRUE(Near(At(25, 5), {0, 255, 0}, 0));
  EXPECT_TRUE(Near(At(35, 5), {0, 0, 255}, 0));
}

TEST_F(GlRenderBackendTest, ForgottenTextureIsDroppedAndUploadedAgainWhenUsed) {
  TestTexture tex(8, 1, 1, fmt::A8R8G8B8, {kRed});
  BeginFrame(kBlack);
  BlendMode(0);
  Gl->SetTexture(&tex.Image);
  Sprite(0, 0, 10, 10, kWhite);
  EndFrame();
  EXPECT_EQ(Gl->CachedTextureCount(), 1u);
  Gl->ForgetTexture(8);
  EXPECT_EQ(Gl->CachedTextureCount(), 0u);

  // The same id and version come back with other pixels (a new texture that
  // reuses nothing): they are uploaded afresh.
  tex.Store({kBlue});
  BeginFrame(kBlack);
  Gl->SetTexture(&tex.Image);
  Sprite(0, 0, 10, 10, kWhite);
  EndFrame();
  EXPECT_TRUE(Near(At(5, 5), {0, 0, 255}, 0));
}

TEST_F(GlRenderBackendTest, SixteenBitAndXFormatsReadAsTheirColours) {
  TestTexture a4(10, 1, 1, fmt::A4R4G4B4, {0xFF84});      // A F, R F, G 8, B 4
  TestTexture r565(11, 1, 1, fmt::R5G6B5, {0xF800});      // pure red
  TestTexture a1(12, 2, 1, fmt::A1R5G5B5, {0x83E0, 0x001F});  // opaque green, transparent blue
  TestTexture x8(13, 1, 1, fmt::X8R8G8B8, {0x00336699});  // alpha byte ignored
  TestTexture x1(14, 1, 1, fmt::X1R5G5B5, {0x001F});      // blue, alpha bit ignored
  BeginFrame(kBlack);
  BlendMode(2);
  Filter(false);
  Gl->SetTexture(&a4.Image);
  Sprite(0, 0, 10, 10, kWhite);
  Gl->SetTexture(&r565.Image);
  Sprite(20, 0, 30, 10, kWhite);
  Gl->SetTexture(&a1.Image);
  Sprite(40, 0, 60, 10, kWhite);
  Gl->SetTexture(&x8.Image);
  Sprite(70, 0, 80, 10, kWhite);
  Gl->SetTexture(&x1.Image);
  Sprite(90, 0, 100, 10, kWhite);
  EndFrame();
  EXPECT_TRUE(Near(At(5, 5), {0xFF, 0x88, 0x44}, 1));  // A=F R=F G=8 B=4
  EXPECT_TRUE(Near(At(25, 5), {255, 0, 0}, 1));
  EXPECT_TRUE(Near(At(45, 5), {0, 255, 0}, 1));
  EXPECT_TRUE(Near(At(55, 5), {0, 0, 0}, 0));
  EXPECT_TRUE(Near(At(75, 5), {0x33, 0x66, 0x99}, 0));
  EXPECT_TRUE(Near(At(95, 5), {0, 0, 255}, 1));
}

TEST_F(GlRenderBackendTest, PitchWiderThanTheRowIsHonoured) {
  // 2 x 2 texels in rows of 12 bytes (one unused texel per row), and in rows
  // of 10 bytes (not a whole number of texels).
  for (int pitch : {12, 10}) {
    TestTexture tex(uint32_t(20 + pitch), 2, 2, fmt::A8R8G8B8, {});
    tex.Image.Pitch = pitch;
    tex.Bytes.assign(size_t(pitch) * 2, 0);
    auto put = [&](int x, int y, uint32_t c) {
      for (int b = 0; b < 4; ++b) tex.Bytes[size_t(y * pitch + x * 4 + b)] = uint8_t(c >> (8 * b));
    };
    put(0, 0, kRed);
    put(1, 0, kGreen);
    put(0, 1, kBlue);
    put(1, 1, kWhite);
    tex.Image.Pixels = tex.Bytes.data();
    BeginFrame(kBlack);
    BlendMode(0);
    Filter(false);
    Gl->SetTexture(&tex.Image);
    Sprite(0, 0, 20, 20, kWhite);
    EndFrame();
    EXPECT_TRUE(Near(At(5, 5), {255, 0, 0}, 0)) << pitch;
    EXPECT_TRUE(Near(At(15, 5), {0, 255, 0}, 0)) << pitch;
    EXPECT_TRUE(Near(At(5, 15), {0, 0, 255}, 0)) << pitch;
    EXPECT_TRUE(Near(At(15, 15), {255, 255, 255}, 0)) << pitch;
  }
}

TEST_F(GlRenderBackendTest, UnusableTexturesDrawTheVertexColour) {
  TestTexture noPixels(30, 4, 4, fmt::A8R8G8B8, {});
  noPixels.Image.Pixels = nullptr;
  TestTexture shortPitch(31, 4, 4, fmt::A8R8G8B8, {});
  shortPitch.Image.Pitch = 8;
  TestTexture empty(32, 4, 4, fmt::A8R8G8B8, {});
  empty.Image.Width = 0;
  TestTexture odd(33, 1, 1, fmt::DXT1, {});
  TestTexture huge(34, 1, 1, fmt::A8R8G8B8, {});
  huge.Image.Width = 1 << 30;
  BeginFrame(kBlack);
  BlendMode(0);
  int x = 0;
  for (TestTexture* t : {&noPixels, &shortPitch, &empty, &odd, &huge}) {
    Gl->SetTexture(&t->Image);
    Sprite(float(x), 0, float(x + 10), 10, 0xFF00FFFF);
    x += 20;
  }
  EndFrame();
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(Near(At(i * 20 + 5, 5), {0, 255, 255}, 0)) << i;
  EXPECT_EQ(Gl->CachedTextureCount(), 0u);
}

TEST_F(GlRenderBackendTest, ReversedWindingIsCulledAsDirect3DDoes) {
  BeginFrame(kBlack);
  BlendMode(0);
  // Top-right, top-left, bottom-right, bottom-left: counter-clockwise on screen.
  ScreenVertex v[4] = {{20, 0, 0, 0.5f, kWhite, 0, 0, 0},
                       {0, 0, 0, 0.5f, kWhite, 0, 0, 0},
                       {20, 20, 0, 0.5f, kWhite, 0, 0, 0},
                       {0, 20, 0, 0.5f, kWhite, 0, 0, 0}};
  Gl->DrawSpriteStrip(v);
  EndFrame();
  EXPECT_TRUE(Near(At(10, 10), {0, 0, 0}, 0));

  BeginFrame(kBlack);
  Gl->SetRenderState(RenderState(22), 1);  // D3DRS_CULLMODE = D3DCULL_NONE
  Gl->DrawSpriteStrip(v);
  EndFrame();
  EXPECT_TRUE(Near(At(10, 10), {255, 255, 255}, 0));
}

TEST_F(GlRenderBackendTest, DepthBufferHonoursZFunc) {
  DeviceSettings settings;
  settings.DepthFormat = fmt::D16;
  ASSERT_TRUE(Gl->CreateDevice(settings)) << Gl->LastError();
  Gl->BeginScene();
  Gl->Clear(d3d::CLEAR_TARGET | d3d::CLEAR_ZBUFFER, kBlack, 1.0f, 0);
  ModulateStage();
  BlendMode(0);
  Gl->SetRenderState(RenderState::ZEnable, 1);
  Gl->SetRenderState(RenderState::ZFunc, d3d::CMP_LESSEQUAL);
  Sprite(0, 0, 20, 20, kRed, 1, 1, 0.25f);
  Sprite(0, 0, 20, 20, kGreen, 1, 1, 0.75f);  // behind: hidden
  Sprite(30, 0, 50, 20, kRed, 1, 1, 0.75f);
  Sprite(30, 0, 50, 20, kGreen, 1, 1, 0.25f);  // in front: shown
  Gl->SetRenderState(RenderState::ZFunc, d3d::CMP_ALWAYS);
  Sprite(60, 0, 80, 20, kRed, 1, 1, 0.25f);
  Sprite(60, 0, 80, 20, kBlue, 1, 1, 0.75f);  // always passes
  EndFrame();
  EXPECT_TRUE(Near(At(10, 10), {255, 0, 0}, 0));
  EXPECT_TRUE(Near(At(40, 10), {0, 255, 0}, 0));
  EXPECT_TRUE(Near(At(70, 10), {0, 0, 255}, 0));
}

TEST_F(GlRenderBackendTest, WithoutDepthBufferDepthTestPassesEverything) {
  BeginFrame(kBlack);
  BlendMode(0);
  Gl->SetRenderState(RenderState::ZEnable, 1);
  Gl->SetRenderState(RenderState::ZFunc, d3d::CMP_LESSEQUAL);
  Sprite(0, 0, 20, 20, kRed, 1, 1, 0.25f);
  Sprite(0, 0, 20, 20, kGreen, 1, 1, 0.75f);
  EndFrame();
  EXPECT_TRUE(Near(At(10, 10), {0, 255, 0}, 0));
}

TEST_F(GlRenderBackendTest, FrontBufferKeepsThePresentedFrame) {
  std::vector<uint8_t> rgb;
  int w = 0, h = 0;
  EXPECT_FALSE(Gl->ReadFrontBuffer(rgb, w, h)) << "nothing presented yet";
  BeginFrame(kRed);
  EndFrame();
  // Drawing the next frame does not change what was presented.
  BeginFrame(kGreen);
  Sprite(0, 0, 640, 480, kBlue);
  ASSERT_TRUE(Gl->ReadFrontBuffer(Frame, w, h));
  EXPECT_TRUE(Near(At(320, 240), {255, 0, 0}, 0));
  EndFrame();
  EXPECT_TRUE(Near(At(320, 240), {0, 0, 255}, 0));
  Gl->ReleaseDevice();
  EXPECT_FALSE(Gl->ReadFrontBuffer(rgb, w, h));
  EXPECT_FALSE(Gl->Present());
}

TEST_F(GlRenderBackendTest, BackBufferKeepsItsContentAcrossPresent) {
  BeginFrame(kRed);
  EndFrame();
  Gl->BeginScene();
  BlendMode(0);
  ModulateStage();
  Sprite(0, 0, 10, 10, kGreen);
  EndFrame();
  EXPECT_TRUE(Near(At(5, 5), {0, 255, 0}, 0));
  EXPECT_TRUE(Near(At(50, 50), {255, 0, 0}, 0));
}

// Each vertex names the texture unit of its picture, so sixteen pictures
// share a draw call and each sprite still shows its own.
TEST_F(GlRenderBackendTest, SpritesInOneStateShareADrawCall) {
  std::vector<std::unique_ptr<TestTexture>> pictures;
  const auto colour = [](uint32_t k) { return 0xFF000000u | (k * 15u) << 16 | (255u - k * 15u); };
  for (uint32_t k = 0; k < 17; ++k)
    pictures.push_back(std::make_unique<TestTexture>(100 + k, 1, 1, fmt::A8R8G8B8, std::vector<uint32_t>{colour(k)}));
  BeginFrame(kBlack);
  BlendMode(2);
  uint64_t before = Gl->DrawCallCount();
  Gl->SetTexture(&pictures[0]->Image);
  for (int i = 0; i < 5000; ++i) Sprite(float(i % 600), float(i % 400), float(i % 600 + 4), float(i % 400 + 4), kWhite);
  for (uint32_t k = 0; k < 17; ++k) {
    Gl->SetTexture(&pictures[k]->Image);
    Sprite(float(k * 20), 440, float(k * 20 + 10), 450, kWhite);
  }
  Gl->SetTexture(nullptr);
  // Laid-over and added sprites alternate in one run, each blended its own way.
  Sprite(600, 400, 620, 420, kRed);
  BlendMode(1);
  Sprite(600, 400, 620, 420, kGreen);
  BlendMode(2);
  Sprite(600, 300, 620, 320, 0x80FF0000);
  BlendMode(1);
  Sprite(600, 300, 620, 320, 0x8000FF00);
  BlendMode(2);
  Sprite(600, 300, 620, 320, 0x400000FF);
  EndFrame();
  // 4096 sprites fill a batch; the rest and fifteen more pictures fill the
  // sixteen units; the seventeenth picture and the untextured sprites make
  // one call more.
  EXPECT_EQ(Gl->DrawCallCount() - before, 3u);
  // Black, half red over it, half green added, a quarter blue over that.
  EXPECT_TRUE(Near(At(610, 310), {96, 96, 64}, 1));
  EXPECT_TRUE(Near(At(2, 2), {0, 0, 255}, 0));
  for (uint32_t k = 0; k < 17; ++k) {
    const uint32_t c = colour(k);
    EXPECT_TRUE(Near(At(int(k * 20 + 5), 445), {int(c >> 16 & 255), 0, int(c & 255)}, 0)) << "picture " << k;
  }
  EXPECT_TRUE(Near(At(610, 410), {255, 255, 0}, 0));
}

TEST_F(GlRenderBackendTest, ResetRestoresDefaultStates) {
  BlendMode(2);
  Filter(true);
  ASSERT_TRUE(Gl->Reset());
  EXPECT_EQ(Gl->GetSamplerState(SamplerState::MagFilter), d3d::TEXF_POINT);
  BeginFrame(kBlue);
  Sprite(0, 0, 10, 10, 0x80FF0000);  // blending is off again: drawn as it is
  EndFrame();
  EXPECT_TRUE(Near(At(5, 5), {255, 0, 0}, 0));
}

TEST_F(GlRenderBackendTest, PresentedFrameWritesAsScreenshot) {
  BeginFrame(kBlack);
  BlendMode(0);
  Sprite(0, 0, 1, 1, 0xFF102030);
  EndFrame();
  test::TempDir dir;
  std::string error;
  ASSERT_TRUE(WriteScreenshot((dir.Path() / "f.bmp").string(), Frame, 640, 480, error)) << error;
  std::string bmp = dir.Read("f.bmp");
  ASSERT_EQ(bmp.size(), 54u + 640u * 480u * 3u);
  // The top-left pixel is the first of the last row in the file, as B, G, R.
  size_t at = 54 + 479u * 640u * 3u;
  EXPECT_EQ(uint8_t(bmp[at]), 0x30);
  EXPECT_EQ(uint8_t(bmp[at + 1]), 0x20);
  EXPECT_EQ(uint8_t(bmp[at + 2]), 0x10);
}

TEST_F(GlRenderBackendTest, CreateDeviceRejectsImpossibleSizes) {
  DeviceSettings settings;
  settings.Width = 0;
  EXPECT_FALSE(Gl->CreateDevice(settings));
  EXPECT_FALSE(Gl->LastError().empty());
  EXPECT_FALSE(Gl->HasDevice());
  settings.Width = 1 << 20;
  EXPECT_FALSE(Gl->CreateDevice(settings));
  settings.Width = 640;
  settings.DepthFormat = fmt::D15S1;
  EXPECT_FALSE(Gl->CreateDevice(settings));
  // Drawing calls without a device do nothing.
  Sprite(0, 0, 10, 10, kWhite);
  Gl->Clear(d3d::CLEAR_TARGET, kRed, 1, 0);
  EXPECT_FALSE(Gl->Present());
  EXPECT_TRUE(Gl->CreateDevice(DeviceSettings{}));
}

}  // namespace
}  // namespace vuzed
