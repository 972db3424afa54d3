#pragma once
// A GlRenderBackend on a real OpenGL context (SDL's offscreen video driver,
// Mesa's software rasteriser), with helpers to draw and read back frames.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "engine/graphics/d3d_types.h"
#include "engine/platform/gl_render_backend.h"
#include "engine/platform/sdl_platform.h"

namespace vuzed::test {

struct Rgb {
  int R, G, B;
};

inline std::ostream& operator<<(std::ostream& os, const Rgb& c) {
  return os << "(" << c.R << ", " << c.G << ", " << c.B << ")";
}

inline ::testing::AssertionResult Near(const Rgb& got, const Rgb& want, int tolerance = 2) {
  if (std::abs(got.R - want.R) <= tolerance && std::abs(got.G - want.G) <= tolerance &&
      std::abs(got.B - want.B) <= tolerance)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "got " << got << ", want " << want;
}

// A texture image with its own pixel storage.
struct TestTexture {
  TextureImage Image;
  std::vector<uint8_t> Bytes;

  TestTexture(uint32_t id, int w, int h, D3DFORMAT format, const std::vector<uint32_t>& pixels) {
    int bpp = (format == fmt::A8R8G8B8 || format == fmt::X8R8G8B8) ? 4 : 2;
    Image.Id = id;
    Image.Version = 1;
    Image.Width = w;
    Image.Height = h;
    Image.Format = format;
    Image.Pitch = w * bpp;
    Bytes.resize(size_t(w * h * bpp));
    Store(pixels);
  }
  void Store(const std::vector<uint32_t>& pixels) {
    int bpp = Image.Pitch / Image.Width;
    for (size_t i = 0; i < pixels.size(); ++i)
      for (int b = 0; b < bpp; ++b) Bytes[i * size_t(bpp) + size_t(b)] = uint8_t(pixels[i] >> (8 * b));
    Image.Pixels = Bytes.data();
  }
};

class GlRenderBackendTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string error;
    SdlPlatformOptions options;
    options.Hidden = true;
    options.VSync = false;
    Platform_ = SdlPlatform::Create(options, error);
    if (!Platform_) SetupError_ = error;
  }
  static void TearDownTestSuite() { Platform_.reset(); }

  void SetUp() override {
    ASSERT_NE(Platform_, nullptr) << "no OpenGL platform: " << SetupError_;
    Gl = &Platform_->Gl();
    ASSERT_TRUE(Gl->CreateDevice(DeviceSettings{})) << Gl->LastError();
  }
  void TearDown() override {
    if (Gl) Gl->ReleaseDevice();
  }

  // The states every queue render starts with: stage 0 modulates texture and
  // vertex colour in both colour and alpha.
  void ModulateStage() {
    Gl->SetTextureStageState(TextureStageState::ColorArg1, d3d::TA_TEXTURE);
    Gl->SetTextureStageState(TextureStageState::ColorArg2, d3d::TA_DIFFUSE);
    Gl->SetTextureStageState(TextureStageState::ColorOp, d3d::TOP_MODULATE);
    Gl->SetTextureStageState(TextureStageState::AlphaArg1, d3d::TA_TEXTURE);
    Gl->SetTextureStageState(TextureStageState::AlphaArg2, d3d::TA_DIFFUSE);
    Gl->SetTextureStageState(TextureStageState::AlphaOp, d3d::TOP_MODULATE);
  }

  // The scene's blend-mode records.
  void BlendMode(int mode) {
    auto rs = [&](RenderState s, uint32_t v) { Gl->SetRenderState(s, v); };
    switch (mode) {
      case 0:
        rs(RenderState::AlphaBlendEnable, 0);
        rs(RenderState::ZWriteEnable, 1);
        break;
      case 1:
      case 2:
        rs(RenderState::AlphaBlendEnable, 1);
        rs(RenderState::ZWriteEnable, 0);
        rs(RenderState::SrcBlend, d3d::BLEND_SRCALPHA);
        rs(RenderState::DestBlend, mode == 1 ? d3d::BLEND_ONE : d3d::BLEND_INVSRCALPHA);
        rs(RenderState::BlendOp, d3d::BLENDOP_ADD);
        break;
      case 5:
        rs(RenderState::AlphaBlendEnable, 0);
        rs(RenderState::ZWriteEnable, 1);
        rs(RenderState::AlphaTestEnable, 1);
        rs(RenderState::AlphaFunc, d3d::CMP_GREATER);
        break;
    }
  }

  void Filter(bool smooth) {
    uint32_t f = smooth ? d3d::TEXF_LINEAR : d3d::TEXF_POINT;
    Gl->SetSamplerState(SamplerState::MagFilter, f);
    Gl->SetSamplerState(SamplerState::MinFilter, f);
  }

  void BeginFrame(uint32_t background) {
    Gl->BeginScene();
    Gl->Clear(d3d::CLEAR_TARGET, background, 1.0f, 0);
    ModulateStage();
  }

  // A sprite as the scene sends it: top-left, top-right, bottom-left,
  // bottom-right, rhw 0.5.
  void Sprite(float x0, float y0, float x1, float y1, uint32_t color, float u1 = 1, float v1 = 1,
              float z = 0) {
    ScreenVertex v[4] = {{x0, y0, z, 0.5f, color, 0, 0, 0},
                         {x1, y0, z, 0.5f, color, 0, u1, 0},
                         {x0, y1, z, 0.5f, color, 0, 0, v1},
                         {x1, y1, z, 0.5f, color, 0, u1, v1}};
    Gl->DrawSpriteStrip(v);
  }

  void EndFrame() {
    Gl->EndScene();
    ASSERT_TRUE(Gl->Present());
    int w = 0, h = 0;
    ASSERT_TRUE(Gl->ReadFrontBuffer(Frame, w, h));
    ASSERT_EQ(w, 640);
    ASSERT_EQ(h, 480);
  }

  Rgb At(int x, int y) const {
    size_t i = (size_t(y) * 640 + size_t(x)) * 3;
    return {Frame[i], Frame[i + 1], Frame[i + 2]};
  }

  static inline std::unique_ptr<SdlPlatform> Platform_;
  static inline std::string SetupError_;
  GlRenderBackend* Gl = nullptr;
  std::vector<uint8_t> Frame;
};


inline constexpr uint32_t kBlack = 0xFF000000, kWhite = 0xFFFFFFFF, kBlue = 0xFF0000FF,
                   kRed = 0xFFFF0000, kGreen = 0xFF00FF00;

}  // namespace vuzed::test
