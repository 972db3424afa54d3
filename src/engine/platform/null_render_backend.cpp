#include "engine/platform/null_render_backend.h"

#include <algorithm>

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

bool NullRenderBackend::Present() {
  ++PresentCount;
  Frames.push_back(std::move(Draws));
  Draws.clear();
  StateCalls.clear();
  return Device;
}

void NullRenderBackend::SetRenderState(RenderState state, uint32_t value) {
  RenderStates_[uint32_t(state)] = value;
  StateCalls.push_back({0, uint32_t(state), value});
}

void NullRenderBackend::SetTextureStageState(TextureStageState state, uint32_t value) {
  StateCalls.push_back({2, uint32_t(state), value});
}

void NullRenderBackend::SetSamplerState(SamplerState state, uint32_t value) {
  SamplerStates_[uint32_t(state)] = value;
  StateCalls.push_back({1, uint32_t(state), value});
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
  StateCalls.push_back({3, 0, TextureId_});
}

void NullRenderBackend::DrawSpriteStrip(const ScreenVertex (&v)[4]) {
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

}  // namespace vuzed
