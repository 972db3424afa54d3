#pragma once
// TVZFontCache: glyph images in the writer's glyph format, rendered once per
// (code, font) and kept in 256 buckets (by code and 255) of Capacity entries
// each. Within a bucket the entries are in order of use, most recent first; a
// full bucket gives up its last (least recently used) entry.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/graphics/d3d_types.h"
#include "engine/graphics/glyph_source.h"

namespace vuzed {

struct TVZGlyphEntry {
  std::vector<uint8_t> Pixels;  // Pitch x Height bytes in the glyph format; empty: nothing to draw
  uint32_t Code = 0;
  std::string FontName;
  int FontHeight = 0;
  uint8_t FontStyle = 0;
  int Width = 0, Height = 0;  // glyph box in pixels
  int Pitch = 0;              // (bytes per pixel x Width + 3) rounded down to a multiple of 4
  int OriginX = 0;            // pen to the box's left edge
  int OffsetY = 0;            // pen's top (the cell top) to the box's top
  int16_t AdvanceX = 0, AdvanceY = 0;
};

class TVZFontCache {
 public:
  static constexpr int BucketCount = 256;

  // source renders the glyphs the cache misses; it must outlive the cache.
  TVZFontCache(GlyphSource& source, D3DFORMAT glyphFormat, int capacity);

  // The entry of (code, font), rendered on a miss. The reference stays valid
  // until the next GetGlyph or SetCapacity.
  const TVZGlyphEntry& GetGlyph(uint32_t code, const TVZFont& font);
  // Empties every bucket and clears the counters; a capacity below 1 counts as 1.
  void SetCapacity(int capacity);
  int Capacity() const { return Capacity_; }

  bool Antialias = true;

  int64_t Hits() const { return Hits_; }
  int64_t Misses() const { return Misses_; }
  int64_t TotalBytes() const { return TotalBytes_; }  // pixel bytes held by all entries
  int64_t TotalEntries() const { return TotalEntries_; }

 private:
  struct TBucket {
    std::vector<TVZGlyphEntry> Entries;  // Capacity slots, the first Used in use
    int Used = 0;
  };

  void Render(TVZGlyphEntry& entry, const TVZFont& font);

  GlyphSource& Source_;
  D3DFORMAT GlyphFormat_;
  int BytesPerPixel_;
  int Capacity_ = 0;
  std::array<TBucket, BucketCount> Buckets_;
  int64_t Hits_ = 0, Misses_ = 0, TotalBytes_ = 0, TotalEntries_ = 0;
};

}  // namespace vuzed
