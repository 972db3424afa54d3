#include "engine/platform/null_render_backend.h"

#include <algorithm>
#include <cstddef>

namespace vuzed {

bool NullRenderBackend::CreateDevice(const DeviceSettings& settings) {
  if (FailCreate) return false;
  Device = true;
  Settings = settings;
  ++CreateCount;
  return true;
}

bool NullRenderBackend::CheckTextureFormat(D3DFORMAT format) const {
  return std::find(TextureFormats.begin(), TextureFormats.end(), format) != TextureFormats.end();
}

bool NullRenderBackend::CheckDepthFormat(D3DFORMAT depth) const {
  return std::find(DepthFormats.begin(), DepthFormats.end(), depth) != DepthFormats.end();
}

bool NullRenderBackend::Reset() {
  ++ResetCount;
  if (FailReset) return false;
  Level = CooperativeLevel::Ok;
  return true;
}

void NullRenderBackend::BeginScene() { InScene = true; }

void NullRenderBackend::Clear(uint32_t flags, uint32_t, float, uint32_t) {
  ++ClearCount;
  LastClearFlags = flags;
}

// The lists trade places with the ones they replace, so steady frames reuse
// the memory of the frames before them.
bool NullRenderBackend::Present() {
  ++PresentCount;
  if (KeepFrames == 0) {
    Frames.clear();
  } else if (Frames.size() >= KeepFrames) {
    Frames.erase(Frames.begin(), Frames.end() - std::ptrdiff_t(KeepFrames));
    std::rotate(Frames.begin(), Frames.begin() + 1, Frames.end());
    Frames.back().swap(Draws);
  } else {
    Frames.emplace_back().swap(Draws);
  }
  Draws.clear();
  PresentedMeshDraws.swap(MeshDraws);
  MeshDraws.clear();
  StateCalls.clear();
  Batching_ = false;
  return Device;
}

void NullRenderBackend::StateSet(std::map<uint32_t, uint32_t>& states, uint32_t state, uint32_t value) {
  auto [it, fresh] = states.try_emplace(state, value);
  if (!fresh && it->second == value) return;
  it->second = value;
  StateSet();
}

void NullRenderBackend::SetRenderState(RenderState state, uint32_t value) {
  auto blend = [&] {
    return SharesBlendRun(RenderStateValue(RenderState::AlphaBlendEnable), RenderStateValue(RenderState::SrcBlend),
                          RenderStateValue(RenderState::DestBlend), RenderStateValue(RenderState::BlendOp));
  };
  const bool shared = IsBlendState(state) && blend();
  const bool batching = Batching_;
  StateSet(RenderStates_, uint32_t(state), value);
  if (shared && blend()) Batching_ = batching;
  if (Record) StateCalls.push_back({0, uint32_t(state), value});
}

void NullRenderBackend::SetTextureStageState(TextureStageState state, uint32_t value) {
  StateSet(StageStates_, uint32_t(state), value);
  if (Record) StateCalls.push_back({2, uint32_t(state), value});
}

void NullRenderBackend::SetSamplerState(SamplerState state, uint32_t value) {
  auto [it, fresh] = SamplerStates_.try_emplace(uint32_t(state), value);
  if (fresh || it->second != value) UnitKnown_ = SamplerKnown_ = false;
  it->second = value;
  if (Record) StateCalls.push_back({1, uint32_t(state), value});
}

uint32_t NullRenderBackend::GetSamplerState(SamplerState state) const {
  auto it = SamplerStates_.find(uint32_t(state));
  return it == SamplerStates_.end() ? 0 : it->second;
}

uint32_t NullRenderBackend::RenderStateValue(RenderState state) const {
  auto it = RenderStates_.find(uint32_t(state));
  return it == RenderStates_.end() ? 0 : it->second;
}

void NullRenderBackend::SetTexture(const TextureImage* image) {
  TextureId_ = image ? image->Id : 0;
  TextureVersion_ = image ? image->Version : 0;
  Textured_ = image != nullptr;
  UnitKnown_ = false;
  if (Record) StateCalls.push_back({3, 0, TextureId_});
}

NullRenderBackend::TSamplerKey NullRenderBackend::CurrentSampler() const {
  if (!SamplerKnown_) {
    Sampler_ = {GetSamplerState(SamplerState::MagFilter), GetSamplerState(SamplerState::MinFilter),
                GetSamplerState(SamplerState::AddressU), GetSamplerState(SamplerState::AddressV)};
    SamplerKnown_ = true;
  }
  return Sampler_;
}

// New pixels of a bound picture end the run (one texture serves every unit
// it is bound to); so does a picture or sampling that needs a seventeenth unit.
void NullRenderBackend::TakeUnit() {
  UnitKnown_ = true;
  if (!Textured_) return;
  const TSamplerKey sampler = CurrentSampler();
  int unit = -1;
  bool changed = false;
  for (int k = 0; k < UnitsTaken_; ++k) {
    TBoundTexture& bound = Units_[size_t(k)];
    if (bound.Id != TextureId_) continue;
    changed = changed || bound.Version != TextureVersion_;
    bound.Version = TextureVersion_;
    if (bound.Sampler == sampler) unit = k;
  }
  if (changed) StateSet();
  if (unit >= 0) return;
  if (UnitsTaken_ == kTextureUnits) {
    StateSet();
    UnitsTaken_ = 0;
  }
  Units_[size_t(UnitsTaken_++)] = {TextureId_, TextureVersion_, sampler};
}

void NullRenderBackend::ForgetTexture(uint32_t id) {
  Forgotten.push_back(id);
  for (int unit = 0; unit < UnitsTaken_; ++unit) {
    if (Units_[size_t(unit)].Id != id) continue;
    Units_[size_t(unit)] = {};
    StateSet();
  }
  // Sprites drawn after their picture is gone are drawn without one.
  if (Textured_ && TextureId_ == id) {
    Textured_ = false;
    TextureId_ = 0;
    TextureVersion_ = 0;
  }
}

void NullRenderBackend::DrawSpriteStrip(const ScreenVertex (&v)[4]) {
  if (!UnitKnown_) TakeUnit();
  ++Counts_.Sprites;
  if (!Batching_ || RunSprites_ == kBatchSprites) {
    ++Counts_.DrawCalls;
    RunSprites_ = 0;
  }
  Batching_ = true;
  ++RunSprites_;
  if (!Record) return;
  DrawCall call;
  std::copy(std::begin(v), std::end(v), call.Vertices);
  call.TextureId = TextureId_;
  call.TextureVersion = TextureVersion_;
  call.AlphaBlendEnable = RenderStateValue(RenderState::AlphaBlendEnable);
  call.SrcBlend = RenderStateValue(RenderState::SrcBlend);
  call.DestBlend = RenderStateValue(RenderState::DestBlend);
  call.AlphaTestEnable = RenderStateValue(RenderState::AlphaTestEnable);
  call.ZEnable = RenderStateValue(RenderState::ZEnable);
  call.MagFilter = GetSamplerState(SamplerState::MagFilter);
  Draws.push_back(call);
}

void NullRenderBackend::SetTransform(TransformType type, const TMatrix& matrix) {
  switch (type) {
    case TransformType::World: World = matrix; break;
    case TransformType::View: View = matrix; break;
    case TransformType::Projection: Projection = matrix; break;
  }
  StateSet();
  if (Record) StateCalls.push_back({4, uint32_t(type), 0});
}

void NullRenderBackend::SetViewport(const TViewport& viewport) {
  Viewport = viewport;
  StateSet();
  if (Record) StateCalls.push_back({5, 0, 0});
}

void NullRenderBackend::SetLight(uint32_t index, const D3DLight& light) {
  Lights[index] = light;
  StateSet();
  if (Record) StateCalls.push_back({6, index, 0});
}

void NullRenderBackend::LightEnable(uint32_t index, bool enable) {
  LightsEnabled[index] = enable;
  StateSet();
  if (Record) StateCalls.push_back({7, index, enable ? 1u : 0u});
}

void NullRenderBackend::SetMaterial(const D3DMaterial& material) {
  Material = material;
  StateSet();
  if (Record) StateCalls.push_back({8, 0, 0});
}

void NullRenderBackend::DrawIndexedTriangleList(const GeometryImage& vertices, const GeometryImage& indices,
                                                int startIndex, int primitiveCount) {
  ++Counts_.DrawCalls;
  Batching_ = false;
  if (!Record) return;
  MeshDrawCall call;
  call.VertexBufferId = vertices.Id;
  call.IndexBufferId = indices.Id;
  call.VertexVersion = vertices.Version;
  call.IndexVersion = indices.Version;
  call.FVF = vertices.FVF;
  call.Stride = vertices.Stride;
  call.VertexCount = vertices.Count;
  call.IndexCount = indices.Count;
  call.StartIndex = startIndex;
  call.PrimitiveCount = primitiveCount;
  call.TextureId = TextureId_;
  call.World = World;
  call.View = View;
  call.Projection = Projection;
  call.Viewport = Viewport;
  call.Material = Material;
  call.Lighting = RenderStateValue(RenderState::Lighting);
  call.SpecularEnable = RenderStateValue(RenderState::SpecularEnable);
  call.FillMode = RenderStateValue(RenderState::FillMode);
  call.Wrap0 = RenderStateValue(RenderState::Wrap0);
  call.ZEnable = RenderStateValue(RenderState::ZEnable);
  call.ZWriteEnable = RenderStateValue(RenderState::ZWriteEnable);
  call.AlphaBlendEnable = RenderStateValue(RenderState::AlphaBlendEnable);
  call.SrcBlend = RenderStateValue(RenderState::SrcBlend);
  call.DestBlend = RenderStateValue(RenderState::DestBlend);
  for (const auto& [index, on] : LightsEnabled)
    if (on && index < 32) call.EnabledLights |= 1u << index;
  MeshDraws.push_back(call);
}

}  // namespace vuzed
