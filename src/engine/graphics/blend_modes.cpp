#include "engine/graphics/blend_modes.h"

#include "engine/platform/render_backend.h"

namespace vuzed {

const TBlendModeRecord& BlendModeRecord(int32_t mode) {
  if (mode < 0 || mode >= int32_t(kBlendModes.size())) return kBlendModes[0];
  return kBlendModes[size_t(mode)];
}

bool IsTranslucentMode(int32_t mode) { return BlendModeRecord(mode).Translucent; }

void ApplyBlendMode(RenderBackend& backend, const TBlendModeRecord& record, bool blendOpSupported) {
  if (record.AlphaTest != 0) {
    backend.SetRenderState(RenderState::AlphaTestEnable, record.AlphaTest & 0x7F);
    backend.SetRenderState(RenderState::AlphaFunc, record.CmpFunc);
  }
  if (record.Blending) {
    backend.SetRenderState(RenderState::AlphaBlendEnable, 1);
    backend.SetRenderState(RenderState::ZWriteEnable, 0);
    backend.SetRenderState(RenderState::SrcBlend, record.SrcBlend);
    backend.SetRenderState(RenderState::DestBlend, record.DestBlend);
    if (blendOpSupported) backend.SetRenderState(RenderState::BlendOp, record.BlendOp);
  } else {
    backend.SetRenderState(RenderState::AlphaBlendEnable, 0);
    backend.SetRenderState(RenderState::ZWriteEnable, 1);
  }
}

}  // namespace vuzed
