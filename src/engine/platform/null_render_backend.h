#pragma once
// A renderer that draws nothing and records everything: every state change,
// texture binding and sprite strip, frame by frame. Its capabilities and its
// lost/reset answers are set by the test that owns it.

#include <map>
#include <vector>

#include "engine/platform/render_backend.h"

namespace vuzed {

class NullRenderBackend : public RenderBackend {
 public:
  // One recorded sprite: the vertices and the state it was drawn with.
  struct DrawCall {
    ScreenVertex Vertices[4];
    uint32_t TextureId = 0;  // 0 = untextured
    uint64_t TextureVersion = 0;
    uint32_t AlphaBlendEnable = 0;
    uint32_t SrcBlend = 0;
    uint32_t DestBlend = 0;
    uint32_t AlphaTestEnable = 0;
    uint32_t ZEnable = 0;
    uint32_t MagFilter = 0;
  };
  struct StateCall {
    uint32_t Kind;  // 0 render state, 1 sampler state, 2 texture stage state, 3 texture
    uint32_t State;
    uint32_t Value;
  };

  bool CreateDevice(const DeviceSettings& settings) override;
  void ReleaseDevice() override { Device = false; }
  bool HasDevice() const override { return Device; }
  DeviceCaps GetCaps() const override { return Caps; }
  bool CheckTextureFormat(D3DFORMAT format) const override;
  bool CheckDepthFormat(D3DFORMAT depth) const override;
  CooperativeLevel TestCooperativeLevel() override { return Level; }
  bool Reset() override;

  void BeginScene() override;
  void Clear(uint32_t flags, uint32_t color, float z, uint32_t stencil) override;
  void EndScene() override { InScene = false; }
  bool Present() override;

  void SetRenderState(RenderState state, uint32_t value) override;
  void SetTextureStageState(TextureStageState state, uint32_t value) override;
  void SetSamplerState(SamplerState state, uint32_t value) override;
  uint32_t GetSamplerState(SamplerState state) const override;
  void SetTexture(const TextureImage* image) override;
  void ForgetTexture(uint32_t id) override { Forgotten.push_back(id); }
  void DrawSpriteStrip(const ScreenVertex (&v)[4]) override;
  bool ReadFrontBuffer(std::vector<uint8_t>&, int&, int&) override { return false; }

  uint32_t RenderStateValue(RenderState state) const;

  // Configuration.
  DeviceCaps Caps{};
  std::vector<D3DFORMAT> TextureFormats{fmt::A8R8G8B8, fmt::X8R8G8B8, fmt::A4R4G4B4,
                                        fmt::A1R5G5B5, fmt::R5G6B5,   fmt::X1R5G5B5};
  std::vector<D3DFORMAT> DepthFormats{fmt::D16, fmt::D32};
  CooperativeLevel Level = CooperativeLevel::Ok;
  bool FailCreate = false;
  bool FailReset = false;

  // Record.
  bool Device = false;
  bool InScene = false;
  DeviceSettings Settings{};
  int CreateCount = 0;
  int ResetCount = 0;
  int PresentCount = 0;
  int ClearCount = 0;
  uint32_t LastClearFlags = 0;
  std::vector<DrawCall> Draws;                    // draws since the last Present
  std::vector<std::vector<DrawCall>> Frames;      // draws of every presented frame
  std::vector<StateCall> StateCalls;              // since the last Present
  std::vector<uint32_t> Forgotten;

 private:
  std::map<uint32_t, uint32_t> RenderStates_;
  std::map<uint32_t, uint32_t> SamplerStates_{{5, 1}, {6, 1}};
  uint32_t TextureId_ = 0;
  uint64_t TextureVersion_ = 0;
};

}  // namespace vuzed
