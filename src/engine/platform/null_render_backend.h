#pragma once
// A renderer that draws nothing and records everything: every state change,
// texture binding and sprite strip, frame by frame. Its capabilities and its
// lost/reset answers are set by the test that owns it. Of the presented frames
// it keeps only the newest `KeepFrames` (one unless a test asks for more), so
// a headless run of any length uses the same memory. With `Record` off it
// keeps no lists at all and only counts (headless runs and benchmarks).

#include <array>
#include <cstdint>
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
  // One indexed triangle list and everything it was drawn with.
  struct MeshDrawCall {
    uint32_t VertexBufferId = 0, IndexBufferId = 0;
    uint64_t VertexVersion = 0, IndexVersion = 0;
    uint32_t FVF = 0;
    int Stride = 0, VertexCount = 0, IndexCount = 0;
    int StartIndex = 0, PrimitiveCount = 0;
    uint32_t TextureId = 0;
    TMatrix World, View, Projection;
    TViewport Viewport;
    D3DMaterial Material;
    uint32_t Lighting = 0, SpecularEnable = 0, FillMode = 0, Wrap0 = 0;
    uint32_t ZEnable = 0, ZWriteEnable = 0, AlphaBlendEnable = 0, SrcBlend = 0, DestBlend = 0;
    uint32_t EnabledLights = 0;  // bit i: light i on
  };
  struct StateCall {
    // 0 render state, 1 sampler state, 2 texture stage state, 3 texture,
    // 4 transform, 5 viewport, 6 light, 7 light enable, 8 material
    uint32_t Kind;
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
  void ForgetTexture(uint32_t id) override;
  void DrawSpriteStrip(const ScreenVertex (&v)[4]) override;
  bool ReadFrontBuffer(std::vector<uint8_t>&, int&, int&) override { return false; }
  TDrawCounts DrawCounts() const override { return Counts_; }

  void SetTransform(TransformType type, const TMatrix& matrix) override;
  void SetViewport(const TViewport& viewport) override;
  void SetLight(uint32_t index, const D3DLight& light) override;
  void LightEnable(uint32_t index, bool enable) override;
  void SetMaterial(const D3DMaterial& material) override;
  void DrawIndexedTriangleList(const GeometryImage& vertices, const GeometryImage& indices, int startIndex,
                               int primitiveCount) override;
  void ForgetGeometry(uint32_t id) override { ForgottenGeometry.push_back(id); }

  uint32_t RenderStateValue(RenderState state) const;

  // Configuration.
  DeviceCaps Caps{};
  std::vector<D3DFORMAT> TextureFormats{fmt::A8R8G8B8, fmt::X8R8G8B8, fmt::A4R4G4B4,
                                        fmt::A1R5G5B5, fmt::R5G6B5,   fmt::X1R5G5B5};
  std::vector<D3DFORMAT> DepthFormats{fmt::D16, fmt::D32};
  CooperativeLevel Level = CooperativeLevel::Ok;
  bool FailCreate = false;
  bool FailReset = false;
  size_t KeepFrames = 1;
  bool Record = true;

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
  std::vector<std::vector<DrawCall>> Frames;      // draws of the newest presented frames, oldest first
  std::vector<StateCall> StateCalls;              // since the last Present
  std::vector<uint32_t> Forgotten;
  // The 3D state as last set, and the meshes drawn since the last Present
  // (PresentedMeshDraws keeps those of the last presented frame only).
  TMatrix World, View, Projection;
  TViewport Viewport;
  std::map<uint32_t, D3DLight> Lights;
  std::map<uint32_t, bool> LightsEnabled;
  D3DMaterial Material;
  std::vector<MeshDrawCall> MeshDraws;
  std::vector<MeshDrawCall> PresentedMeshDraws;
  std::vector<uint32_t> ForgottenGeometry;

 private:
  std::map<uint32_t, uint32_t> RenderStates_;
  std::map<uint32_t, uint32_t> SamplerStates_{{5, 1}, {6, 1}};
  std::map<uint32_t, uint32_t> StageStates_;
  // A state changed since the last sprite strip: the next one starts a new
  // draw call, as the OpenGL backend batches. Setting a state to the value
  // it has changes nothing; a texture ends the run only when its pixels
  // changed or when all of the 16 texture units are taken. A unit holds a
  // picture with one way of sampling it (filters and wrapping), so a filter
  // change takes a unit rather than ending the run.
  void StateSet() { Batching_ = false; }
  void StateSet(std::map<uint32_t, uint32_t>& states, uint32_t state, uint32_t value);
  using TSamplerKey = std::array<uint32_t, 4>;
  TSamplerKey CurrentSampler() const;
  // CurrentSampler as last worked out, while SamplerKnown_.
  mutable TSamplerKey Sampler_{};
  mutable bool SamplerKnown_ = false;
  // Finds or takes the unit of the current texture and sampler before a strip.
  void TakeUnit();
  static constexpr int kTextureUnits = 16;
  // A run of more sprites than one batch holds is drawn in several calls.
  static constexpr int kBatchSprites = 4096;
  int RunSprites_ = 0;
  struct TBoundTexture {
    uint32_t Id = 0;
    uint64_t Version = 0;
    TSamplerKey Sampler{};
  };
  std::array<TBoundTexture, kTextureUnits> Units_{};
  int UnitsTaken_ = 0;
  bool UnitKnown_ = true;
  bool Textured_ = false;

  uint32_t TextureId_ = 0;
  uint64_t TextureVersion_ = 0;
  bool Batching_ = false;
  TDrawCounts Counts_;
};

}  // namespace vuzed
