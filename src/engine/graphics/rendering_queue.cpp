#include "engine/graphics/rendering_queue.h"

#include <utility>

#include "engine/graphics/blend_modes.h"
#include "engine/graphics/device.h"
#include "engine/graphics/texture.h"

namespace vuzed {

// The states this queue render has applied, so runs of sprites with the same
// texture, blend mode and filter cost no state calls.
struct TVZRenderingQueue::StateCache {
  int32_t BlendMode = 0;
  const TextureImage* Texture = nullptr;
  bool Specular = true;
  bool Lighting = true;
  uint32_t FillMode = d3d::FILL_SOLID;
  uint32_t Wrap = 0;
  bool FilterRead = false;   // the filters before the first change were read
  bool FilterSet = false;
  bool Smooth = false;
  uint32_t SavedMag = 0;
  uint32_t SavedMin = 0;
};

TVZRenderingQueue::TVZRenderingQueue(TDovivez* device) : Device_(device), Sprites_(32) {}

void TVZRenderingQueue::AddSprite(const TSpriteRecord& sprite) {
  if (Count_ == Sprites_.size()) Sprites_.resize(Sprites_.size() * 2);
  Sprites_[Count_++] = sprite;
}

void TVZRenderingQueue::SortDescending(std::vector<float>& keys, std::vector<size_t>& entries, int lo,
                                       int hi) {
  while (lo < hi) {
    const float pivot = keys[size_t((lo + hi) / 2)];
    int i = lo - 1;
    int j = hi + 1;
    for (;;) {
      do ++i;
      while (keys[size_t(i)] > pivot);
      do --j;
      while (keys[size_t(j)] < pivot);
      if (j <= i) break;
      std::swap(keys[size_t(i)], keys[size_t(j)]);
      std::swap(entries[size_t(i)], entries[size_t(j)]);
    }
    SortDescending(keys, entries, lo, i - 1);
    lo = j + 1;  // the second half, without another stack frame
  }
}

void TVZRenderingQueue::Render(bool sorted, bool blendOpSupported) {
  RenderBackend& backend = Device_->Backend();
  backend.SetTexture(nullptr);
  backend.SetRenderState(RenderState::SpecularEnable, 1);
  backend.SetRenderState(RenderState::Lighting, 1);
  backend.SetRenderState(RenderState::FillMode, d3d::FILL_SOLID);
  backend.SetRenderState(RenderState::Wrap0, 0);
  backend.SetRenderState(RenderState::AlphaBlendEnable, 0);
  backend.SetRenderState(RenderState::ZEnable, 1);
  backend.SetRenderState(RenderState::ZWriteEnable, 1);
  backend.SetTextureStageState(TextureStageState::ColorArg1, d3d::TA_TEXTURE);
  backend.SetTextureStageState(TextureStageState::ColorArg2, d3d::TA_DIFFUSE);
  backend.SetTextureStageState(TextureStageState::ColorOp, d3d::TOP_MODULATE);
  backend.SetTextureStageState(TextureStageState::AlphaArg1, d3d::TA_TEXTURE);
  backend.SetTextureStageState(TextureStageState::AlphaArg2, d3d::TA_DIFFUSE);
  backend.SetTextureStageState(TextureStageState::AlphaOp, d3d::TOP_MODULATE);

  StateCache cache;
  if (!sorted) {
    for (size_t i = 0; i < Count_; ++i) DrawSprite(Sprites_[i], cache, blendOpSupported);
  } else {
    SortKeys_.clear();
    SortEntries_.clear();
    for (size_t i = 0; i < Count_; ++i) {
      if (Sprites_[i].Depth < 0) continue;
      SortKeys_.push_back(Sprites_[i].Depth);
      SortEntries_.push_back(i);
    }
    if (!SortKeys_.empty()) SortDescending(SortKeys_, SortEntries_, 0, int(SortKeys_.size()) - 1);
    for (size_t entry : SortEntries_) DrawSprite(Sprites_[entry], cache, blendOpSupported);
  }

  if (cache.FilterRead) {
    backend.SetSamplerState(SamplerState::MagFilter, cache.SavedMag);
    backend.SetSamplerState(SamplerState::MinFilter, cache.SavedMin);
  }
  Count_ = 0;
}

void TVZRenderingQueue::DrawSprite(const TSpriteRecord& sprite, StateCache& cache, bool blendOpSupported) {
  if (sprite.Depth < 0) return;
  RenderBackend& backend = Device_->Backend();

  if (!cache.FilterRead) {
    cache.SavedMag = backend.GetSamplerState(SamplerState::MagFilter);
    cache.SavedMin = backend.GetSamplerState(SamplerState::MinFilter);
    cache.FilterRead = true;
  }
  if (!cache.FilterSet || cache.Smooth != sprite.Smooth) {
    uint32_t filter = sprite.Smooth ? d3d::TEXF_LINEAR : d3d::TEXF_POINT;
    backend.SetSamplerState(SamplerState::MagFilter, filter);
    backend.SetSamplerState(SamplerState::MinFilter, filter);
    cache.Smooth = sprite.Smooth;
    cache.FilterSet = true;
  }
  if (sprite.BlendMode != cache.BlendMode) {
    ApplyBlendMode(backend, BlendModeRecord(sprite.BlendMode), blendOpSupported);
    cache.BlendMode = sprite.BlendMode;
  }

  // A texture freed after its sprite was queued draws as untextured rather
  // than reading freed memory.
  const TextureImage* image = nullptr;
  if (sprite.Texture && Device_->IsRegistered(sprite.TextureID, sprite.Texture))
    image = sprite.Texture->Image();
  if (image != cache.Texture) {
    backend.SetTexture(image);
    cache.Texture = image;
  }
  if (cache.Specular) {
    backend.SetRenderState(RenderState::SpecularEnable, 0);
    cache.Specular = false;
  }
  if (cache.FillMode != d3d::FILL_SOLID) {
    backend.SetRenderState(RenderState::FillMode, d3d::FILL_SOLID);
    cache.FillMode = d3d::FILL_SOLID;
  }
  if (cache.Wrap != 0) {
    backend.SetRenderState(RenderState::Wrap0, 0);
    cache.Wrap = 0;
  }
  if (cache.Lighting) {
    backend.SetRenderState(RenderState::Lighting, 0);
    cache.Lighting = false;
  }

  ScreenVertex v[4];
  for (int k = 0; k < 4; ++k) {
    const TSpriteVertex& s = sprite.Vertices[k];
    v[k] = ScreenVertex{sprite.X + s.X, sprite.Y + s.Y, sprite.Depth, 0.5f, s.Color, 0, s.U, s.V};
  }
  backend.DrawSpriteStrip(v);
}

}  // namespace vuzed
