#include "engine/graphics/font_cache.h"

#include <algorithm>

#include "engine/graphics/d3d_names.h"
#include "engine/graphics/pixel_format.h"

namespace vuzed {
namespace {

int16_t ToInt16(int value) { return int16_t(std::clamp(value, -32768, 32767)); }

// Alpha of a coverage level: full coverage is opaque, anything less is level * 4.
uint32_t CoverageAlpha(uint8_t level) {
  return level >= GlyphSource::FullCoverage ? 255u : uint32_t(level) * 4u;
}

}  // namespace

TVZFontCache::TVZFontCache(GlyphSource& source, D3DFORMAT glyphFormat, int capacity)
    : Source_(source), GlyphFormat_(glyphFormat), BytesPerPixel_(FormatBits(glyphFormat) / 8) {
  SetCapacity(capacity);
}

void TVZFontCache::SetCapacity(int capacity) {
  Capacity_ = std::max(capacity, 1);
  for (TBucket& bucket : Buckets_) {
    bucket.Entries.assign(size_t(Capacity_), TVZGlyphEntry{});
    bucket.Used = 0;
  }
  Hits_ = Misses_ = TotalBytes_ = TotalEntries_ = 0;
}

const TVZGlyphEntry& TVZFontCache::GetGlyph(uint32_t code, const TVZFont& font) {
  TBucket& bucket = Buckets_[code & 255u];
  const auto first = bucket.Entries.begin();
  for (int i = 0; i < bucket.Used; ++i) {
    const TVZGlyphEntry& e = bucket.Entries[size_t(i)];
    if (e.Code == code && e.FontName == font.Name && e.FontHeight == font.Height && e.FontStyle == font.Style) {
      ++Hits_;
      std::rotate(first, first + i, first + i + 1);
      return bucket.Entries.front();
    }
  }

  ++Misses_;
  int taken;
  if (bucket.Used >= Capacity_) {
    taken = Capacity_ - 1;
  } else {
    taken = bucket.Used++;
    ++TotalEntries_;
  }
  std::rotate(first, first + taken, first + taken + 1);
  TVZGlyphEntry& entry = bucket.Entries.front();
  TotalBytes_ -= int64_t(entry.Pixels.size());
  entry = TVZGlyphEntry{};
  entry.Code = code;
  entry.FontName = font.Name;
  entry.FontHeight = font.Height;
  entry.FontStyle = font.Style;
  Render(entry, font);
  return entry;
}

// Takes the source's box metrics and turns each coverage level into a white
// pixel of the glyph format whose alpha carries the coverage.
void TVZFontCache::Render(TVZGlyphEntry& entry, const TVZFont& font) {
  const TGlyphImage image = Source_.RenderGlyph(entry.Code, font, Antialias);
  entry.Width = std::max(image.BlackBoxX, 0);
  entry.Height = std::max(image.BlackBoxY, 0);
  entry.Pitch = (BytesPerPixel_ * entry.Width + 3) / 4 * 4;
  entry.OriginX = image.OriginX;
  entry.OffsetY = image.Ascent - image.OriginY;
  entry.AdvanceX = ToInt16(image.CellIncX);
  entry.AdvanceY = ToInt16(image.CellIncY);

  const size_t count = size_t(entry.Width) * size_t(entry.Height);
  if (count == 0 || BytesPerPixel_ == 0 || image.Coverage.size() != count) return;
  entry.Pixels.assign(size_t(entry.Pitch) * size_t(entry.Height), 0);
  TotalBytes_ += int64_t(entry.Pixels.size());
  const uint8_t* level = image.Coverage.data();
  for (int y = 0; y < entry.Height; ++y) {
    uint8_t* p = entry.Pixels.data() + size_t(y) * size_t(entry.Pitch);
    for (int x = 0; x < entry.Width; ++x, ++level, p += BytesPerPixel_)
      WritePixel(p, BytesPerPixel_, ChannelsToPixel(CoverageAlpha(*level), 255, 255, 255, GlyphFormat_));
  }
}

}  // namespace vuzed
