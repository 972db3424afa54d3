#pragma once
// TVZRenderingQueue: sprites waiting for the end of the frame. A scene has
// three: opaque 3D, translucent 3D (depth-sorted) and the screen queue, which
// holds almost every game sprite and is drawn last, in the order queued.
//
// Capacity starts at 32 and doubles whenever an append finds the list full;
// it is kept from frame to frame, so steady play allocates nothing. The count
// returns to 0 after every render: sprites are queued anew each frame.

#include <cstddef>
#include <vector>

#include "engine/graphics/sprite.h"

namespace vuzed {

class TDovivez;
class RenderBackend;

class TVZRenderingQueue {
 public:
  explicit TVZRenderingQueue(TDovivez* device);

  void AddSprite(const TSpriteRecord& sprite);
  size_t SpriteCount() const { return Count_; }
  size_t SpriteCapacity() const { return Sprites_.size(); }
  const TSpriteRecord& Sprite(size_t i) const { return Sprites_[i]; }

  // Draws every queued sprite and empties the queue. A sorted queue draws in
  // descending Depth (far before near) by the engine's own quicksort, whose
  // order for equal keys is part of the look of layered backgrounds.
  void Render(bool sorted, bool blendOpSupported);

  // The order the sort leaves the keys in (exposed for tests).
  static void SortDescending(std::vector<float>& keys, std::vector<size_t>& entries, int lo, int hi);

 private:
  struct StateCache;
  void DrawSprite(const TSpriteRecord& sprite, StateCache& cache, bool blendOpSupported);

  TDovivez* Device_;
  std::vector<TSpriteRecord> Sprites_;
  size_t Count_ = 0;
  std::vector<float> SortKeys_;
  std::vector<size_t> SortEntries_;
};

}  // namespace vuzed
