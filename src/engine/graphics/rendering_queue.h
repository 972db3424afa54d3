#pragma once
// TVZRenderingQueue: frames and sprites waiting for the end of the frame. A
// scene has three: opaque 3D, translucent 3D (depth-sorted) and the screen
// queue, which holds almost every game sprite and is drawn last, in the order
// queued.
//
// Each list's capacity starts at 32 and doubles whenever an append finds it
// full; it is kept from frame to frame, so steady play allocates nothing. The
// counts return to 0 after every render: everything is queued anew each frame.

#include <cstddef>
#include <vector>

#include "engine/graphics/sprite.h"
#include "engine/graphics/vz_math.h"

namespace vuzed {

class TDovivez;
class TVZFrame;
class RenderBackend;
struct TextureImage;

class TVZRenderingQueue {
 public:
  explicit TVZRenderingQueue(TDovivez* device);

  void AddSprite(const TSpriteRecord& sprite) { Append() = sprite; }
  // The next sprite's record, to be filled in place.
  TSpriteRecord& Append() {
    if (Count_ == Sprites_.size()) [[unlikely]]
      Grow();
    return Sprites_[Count_++];
  }
  size_t SpriteCount() const { return Count_; }
  size_t SpriteCapacity() const { return Sprites_.size(); }
  const TSpriteRecord& Sprite(size_t i) const { return Sprites_[i]; }
  void AddFrame(TVZFrame* frame);
  size_t FrameCount() const { return FrameCount_; }
  size_t FrameCapacity() const { return Frames_.size(); }
  TVZFrame* Frame(size_t i) const { return Frames_[i]; }

  // Draws every queued frame, then every sprite, and empties the queue. A
  // sorted queue draws frames and sprites together in descending depth key
  // (far before near) by the engine's own quicksort, whose order for equal
  // keys is part of the look of layered backgrounds. viewProjection turns a
  // frame's points into the view-space depth of its key.
  void Render(bool sorted, bool blendOpSupported, const TMatrix& viewProjection = TMatrix{});

  // A translucent frame's sort key: the view-space depth (w after world,
  // view and projection) of its mesh centre, moved by half the depth span of
  // the mesh's box towards the far side (depth mode 1) or the near side (2).
  static float FrameDepthKey(const TVZFrame& frame, const TMatrix& viewProjection);

  // The order the sort leaves the keys in (exposed for tests).
  static void SortDescending(std::vector<float>& keys, std::vector<size_t>& entries, int lo, int hi);

 private:
  struct StateCache;
  void DrawSprite(const TSpriteRecord& sprite, StateCache& cache, bool blendOpSupported);
  void DrawFrame(TVZFrame& frame, StateCache& cache, bool blendOpSupported);
  void Grow();
  void ApplyTexture(const TextureImage* image, StateCache& cache);
  void RestoreFilters(StateCache& cache);

  TDovivez* Device_;
  std::vector<TVZFrame*> Frames_;
  size_t FrameCount_ = 0;
  std::vector<TSpriteRecord> Sprites_;
  size_t Count_ = 0;
  std::vector<float> SortKeys_;
  std::vector<size_t> SortEntries_;
};

}  // namespace vuzed
