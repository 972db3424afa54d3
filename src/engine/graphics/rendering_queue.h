#pragma once
// TVZRenderingQueue: frames and sprites waiting for the end of the frame. A
// scene has three: opaque 3D, translucent 3D (depth-sorted) and the screen
// queue, which holds almost every game sprite and is drawn last, in the order
// queued.
//
// Each list's capacity starts at 32 and doubles whenever an append finds it
// full; it is kept from frame to frame, so steady play allocates nothing. The
// counts return to 0 after every render: everything is queued anew each frame.
//
// Sprite records live in blocks that never move: the first two hold 32
// records and each later one as many as all before it, so a new block
// doubles the capacity without copying the records queued so far or
// clearing the new ones (an append's caller writes its record whole), and
// the memory of a block is first touched as the queue reaches it. A frame
// passing 16,384 sprites for the first time used to copy and clear
// megabytes in one go, a hitch of some 20 ms.

#include <bit>
#include <cstddef>
#include <memory>
#include <new>
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
  // The next sprite's record, to be filled in place: every field of it
  // (its earlier contents are not defined).
  TSpriteRecord& Append() {
    if (Next_ == BlockEnd_) [[unlikely]]
      EnterNextBlock();
    ++Count_;
    return *Next_++;
  }
  size_t SpriteCount() const { return Count_; }
  size_t SpriteCapacity() const { return BlockStart(Blocks_.size()); }
  const TSpriteRecord& Sprite(size_t i) const {
    const size_t block = BlockOf(i);
    return Blocks_[block].get()[i - BlockStart(block)];
  }
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
  // Block k holds BlockSize(k) records, the ones from BlockStart(k) on.
  static constexpr size_t kFirstBlock = 32;
  static size_t BlockSize(size_t k) { return k == 0 ? kFirstBlock : kFirstBlock << (k - 1); }
  static size_t BlockStart(size_t k) { return k == 0 ? 0 : kFirstBlock << (k - 1); }
  static size_t BlockOf(size_t i) { return i < kFirstBlock ? 0 : size_t(std::bit_width(i / kFirstBlock)); }
  // Appends continue in the block that holds record Count_, made if new.
  void EnterNextBlock();
  void AddBlock();
  void ApplyTexture(const TextureImage* image, StateCache& cache);
  void RestoreFilters(StateCache& cache);

  TDovivez* Device_;
  std::vector<TVZFrame*> Frames_;
  size_t FrameCount_ = 0;
  // Raw memory: a sprite record is a plain aggregate, made by writing it.
  struct TRawDelete {
    void operator()(TSpriteRecord* records) const { ::operator delete(records); }
  };
  std::vector<std::unique_ptr<TSpriteRecord, TRawDelete>> Blocks_;
  size_t Count_ = 0;
  TSpriteRecord* Next_ = nullptr;  // where the next append goes
  TSpriteRecord* BlockEnd_ = nullptr;
  std::vector<float> SortKeys_;
  std::vector<size_t> SortEntries_;
};

}  // namespace vuzed
