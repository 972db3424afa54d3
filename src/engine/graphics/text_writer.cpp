#include "engine/graphics/text_writer.h"

#include <algorithm>
#include <cstring>

#include "engine/graphics/d3d_names.h"
#include "engine/graphics/pixel_format.h"

namespace vuzed {
namespace {

bool IsSingleByte(uint8_t b) { return b <= 0x80 || (b >= 0xA0 && b < 0xE0); }

// The character code starting at text[at]; at moves past it.
uint32_t NextCode(std::string_view text, size_t& at) {
  const uint8_t b = uint8_t(text[at++]);
  if (IsSingleByte(b) || at == text.size()) return b;
  return uint32_t(b) * 256u + uint8_t(text[at++]);
}

}  // namespace

TVZTextWriter::TVZTextWriter(TDovivez* device, int cacheCapacity, D3DFORMAT glyphFormat)
    : TVZTextWriter(device, cacheCapacity, glyphFormat, nullptr) {}

TVZTextWriter::TVZTextWriter(TDovivez* device, int cacheCapacity, D3DFORMAT glyphFormat,
                             std::unique_ptr<GlyphSource> source)
    : Device_(device),
      Source_(source ? std::move(source) : MakePlatformGlyphSource()),
      Cache_(std::make_unique<TVZFontCache>(*Source_, glyphFormat, cacheCapacity)),
      GlyphFormat_(glyphFormat),
      BytesPerPixel_(FormatBits(glyphFormat) / 8) {}

void TVZTextWriter::DrawText(int x, int y, TMXTexture& texture, std::string_view text) {
  if (x >= texture.Width() || y >= texture.Height()) return;
  // Positions in 64 bits: a pen far off to the left plus an origin never overflows.
  const int64_t clipWidth = texture.AllocWidth(), clipHeight = texture.AllocHeight();
  int64_t penX = x;
  const int64_t penY = y;
  size_t at = 0;
  while (at < text.size() && penX < texture.Width()) {
    const TVZGlyphEntry& glyph = Cache_->GetGlyph(NextCode(text, at), Font_);
    const int64_t left = penX + glyph.OriginX, top = penY + glyph.OffsetY;
    const int64_t x0 = std::max<int64_t>(left, 0), x1 = std::min(left + glyph.Width, clipWidth);
    const int64_t y0 = std::max<int64_t>(top, 0), y1 = std::min(top + glyph.Height, clipHeight);
    if (x0 < x1 && y0 < y1 && !glyph.Pixels.empty())
      CopyGlyph(glyph, texture, TRect{int(x0), int(y0), int(x1), int(y1)}, int(x0 - left), int(y0 - top));
    penX += glyph.AdvanceX;
  }
}

// Copies the part of the glyph that lands on box (already clipped), starting
// skipX columns and skipY rows into the glyph. A texture in another format
// than the glyphs gets each pixel converted.
void TVZTextWriter::CopyGlyph(const TVZGlyphEntry& glyph, TMXTexture& texture, const TRect& box, int skipX,
                              int skipY) {
  int pitch = 0;
  uint8_t* bits = texture.LockRect(0, &box, 0, pitch);
  if (!bits) return;
  const int width = box.Right - box.Left;
  const int textureBytes = texture.BytesPerPixel();
  const bool sameFormat = texture.Format() == GlyphFormat_;
  for (int row = 0; row < box.Bottom - box.Top; ++row) {
    const uint8_t* src = glyph.Pixels.data() + size_t(skipY + row) * size_t(glyph.Pitch) + size_t(skipX) * size_t(BytesPerPixel_);
    uint8_t* dst = bits + std::ptrdiff_t(row) * pitch;
    if (sameFormat) {
      std::memcpy(dst, src, size_t(width) * size_t(BytesPerPixel_));
      continue;
    }
    for (int col = 0; col < width; ++col, src += BytesPerPixel_, dst += textureBytes)
      WritePixel(dst, textureBytes, ColorToPixel(PixelToColor(ReadPixel(src, BytesPerPixel_), GlyphFormat_), texture.Format()));
  }
  texture.UnlockRect();
}

TVZTextWriter::TExtent TVZTextWriter::MeasureText(std::string_view text) {
  TExtent extent{0, Source_->CellHeight(Font_)};
  int64_t width = 0;
  for (size_t at = 0; at < text.size();) width += Cache_->GetGlyph(NextCode(text, at), Font_).AdvanceX;
  extent.Width = int(std::clamp<int64_t>(width, 0, INT32_MAX));
  return extent;
}

std::unique_ptr<TMXTexture> TVZTextWriter::CreateTextTexture(std::string_view text,
                                                             const std::vector<D3DFORMAT>& formats,
                                                             const std::string& name) {
  const TExtent extent = MeasureText(text);
  auto texture = std::make_unique<TMXTexture>(Device_, formats, 0, d3d::POOL_MANAGED, 1, name);
  texture->SetSize(std::max(extent.Width, 1), std::max(extent.Height, 1));
  DrawText(0, 0, *texture, text);
  return texture;
}

}  // namespace vuzed
