#include "engine/graphics/rendering_queue.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <type_traits>
#include <utility>

#include "engine/graphics/blend_modes.h"
#include "engine/graphics/device.h"
#include "engine/graphics/frame.h"
#include "engine/graphics/mesh.h"
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
  // Sprite textures found registered, by id (a few places, each the last
  // texture whose id fell there), with the device's count of
  // unregistrations then: the pictures of a crowded queue alternate, and
  // each asks the registry once per pass.
  struct TLiveTexture {
    const TMXTexture* Texture = nullptr;
    int ID = -1;
    uint64_t Since = 0;
  };
  static constexpr std::size_t kLivePlaces = 64;
  std::array<TLiveTexture, kLivePlaces> Live{};
};

TVZRenderingQueue::TVZRenderingQueue(TDovivez* device) : Device_(device), Frames_(32) { AddBlock(); }

void TVZRenderingQueue::AddBlock() {
  static_assert(std::is_aggregate_v<TSpriteRecord> && std::is_trivially_copyable_v<TSpriteRecord>);
  const size_t records = BlockSize(Blocks_.size());
  Blocks_.emplace_back(static_cast<TSpriteRecord*>(::operator new(records * sizeof(TSpriteRecord))));
}

void TVZRenderingQueue::EnterNextBlock() {
  const size_t block = BlockOf(Count_);
  while (Blocks_.size() <= block) AddBlock();
  Next_ = Blocks_[block].get() + (Count_ - BlockStart(block));
  BlockEnd_ = Blocks_[block].get() + BlockSize(block);
}

void TVZRenderingQueue::AddFrame(TVZFrame* frame) {
  if (FrameCount_ == Frames_.size()) Frames_.resize(Frames_.size() * 2);
  Frames_[FrameCount_++] = frame;
}

float TVZRenderingQueue::FrameDepthKey(const TVZFrame& frame, const TMatrix& viewProjection) {
  if (frame.CustomDepthKey) return frame.CustomDepthKey(frame);
  if (!frame.Mesh) return 0;
  const TMatrix m = MatrixMultiply(frame.World, viewProjection);
  const float centre = TransformW(frame.Mesh->Centre(), m);
  if (frame.DepthMode != DepthFarSide && frame.DepthMode != DepthNearSide) return centre;
  const float half =
      std::fabs(TransformW(frame.Mesh->BoundsMax(), m) - TransformW(frame.Mesh->BoundsMin(), m)) / 2;
  return frame.DepthMode == DepthFarSide ? centre + half : centre - half;
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

void TVZRenderingQueue::Render(bool sorted, bool blendOpSupported, const TMatrix& viewProjection) {
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
    for (size_t i = 0; i < FrameCount_; ++i) DrawFrame(*Frames_[i], cache, blendOpSupported);
    for (size_t block = 0, done = 0; done < Count_; ++block) {
      const TSpriteRecord* records = Blocks_[block].get();
      const size_t n = std::min(BlockSize(block), Count_ - done);
      for (size_t i = 0; i < n; ++i) DrawSprite(records[i], cache, blendOpSupported);
      done += n;
    }
  } else {
    // Entries below FrameCount_ are frames, the rest sprites (minus FrameCount_).
    SortKeys_.clear();
    SortEntries_.clear();
    for (size_t i = 0; i < FrameCount_; ++i) {
      SortKeys_.push_back(FrameDepthKey(*Frames_[i], viewProjection));
      SortEntries_.push_back(i);
    }
    for (size_t i = 0; i < Count_; ++i) {
      if (Sprite(i).Depth < 0) continue;
      SortKeys_.push_back(Sprite(i).Depth);
      SortEntries_.push_back(FrameCount_ + i);
    }
    if (!SortKeys_.empty()) SortDescending(SortKeys_, SortEntries_, 0, int(SortKeys_.size()) - 1);
    for (size_t entry : SortEntries_) {
      if (entry < FrameCount_)
        DrawFrame(*Frames_[entry], cache, blendOpSupported);
      else
        DrawSprite(Sprite(entry - FrameCount_), cache, blendOpSupported);
    }
  }

  RestoreFilters(cache);
  Count_ = 0;
  Next_ = Blocks_[0].get();
  BlockEnd_ = Next_ + BlockSize(0);
  FrameCount_ = 0;
}

// Sprites set the sampler filters to their own; frames and whatever follows
// the queue get back the filters that were there before the first change.
void TVZRenderingQueue::RestoreFilters(StateCache& cache) {
  if (!cache.FilterRead || !cache.FilterSet) return;
  RenderBackend& backend = Device_->Backend();
  backend.SetSamplerState(SamplerState::MagFilter, cache.SavedMag);
  backend.SetSamplerState(SamplerState::MinFilter, cache.SavedMin);
  cache.FilterSet = false;
}

void TVZRenderingQueue::ApplyTexture(const TextureImage* image, StateCache& cache) {
  if (image == cache.Texture) return;
  Device_->Backend().SetTexture(image);
  cache.Texture = image;
}

void TVZRenderingQueue::DrawFrame(TVZFrame& frame, StateCache& cache, bool blendOpSupported) {
  RenderBackend& backend = Device_->Backend();
  RestoreFilters(cache);
  if (frame.BlendMode != cache.BlendMode) {
    ApplyBlendMode(backend, BlendModeRecord(frame.BlendMode), blendOpSupported);
    cache.BlendMode = frame.BlendMode;
  }
  const TMXTexture* texture = frame.Texture();
  const TextureImage* image = nullptr;
  if (texture && Device_->IsRegistered(texture->ResourceID(), texture)) image = texture->Image();
  ApplyTexture(image, cache);
  if (cache.Specular != frame.Specular) {
    backend.SetRenderState(RenderState::SpecularEnable, frame.Specular ? 1 : 0);
    cache.Specular = frame.Specular;
  }
  if (cache.FillMode != frame.FillMode) {
    backend.SetRenderState(RenderState::FillMode, frame.FillMode);
    cache.FillMode = frame.FillMode;
  }
  if (cache.Wrap != frame.Wrap) {
    backend.SetRenderState(RenderState::Wrap0, frame.Wrap);
    cache.Wrap = frame.Wrap;
  }
  if (cache.Lighting != frame.Lighting) {
    backend.SetRenderState(RenderState::Lighting, frame.Lighting ? 1 : 0);
    cache.Lighting = frame.Lighting;
  }
  backend.SetTransform(TransformType::World, frame.RenderMatrix);
  backend.SetMaterial(frame.Material);
  if (frame.CustomDraw) {
    frame.CustomDraw(frame);
    // The custom drawing may have bound a texture of its own.
    backend.SetTexture(cache.Texture);
  } else if (frame.Mesh) {
    frame.Mesh->DrawMesh();
  }
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
  if (sprite.Texture) {
    const uint64_t unregistrations = Device_->Unregistrations();
    StateCache::TLiveTexture& live = cache.Live[std::size_t(sprite.TextureID) % StateCache::kLivePlaces];
    const bool known =
        live.Texture == sprite.Texture && live.ID == sprite.TextureID && live.Since == unregistrations;
    if (known || Device_->IsRegistered(sprite.TextureID, sprite.Texture)) {
      image = sprite.Texture->Image();
      live = {sprite.Texture, sprite.TextureID, unregistrations};
    }
  }
  ApplyTexture(image, cache);
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
