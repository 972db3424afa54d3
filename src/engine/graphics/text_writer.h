#pragma once
// TVZTextWriter: renders a whole string once into a texture, glyph by glyph
// through its font cache; the game then draws that texture as a sprite.
//
// Text is Shift-JIS bytes. A byte b is a character by itself when b <= 0x80,
// when 0xA0 <= b < 0xE0, or when it is the last byte of the text; any other
// byte is a lead byte and forms the code b * 256 + next byte with the byte
// after it.

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "engine/graphics/d3d_types.h"
#include "engine/graphics/font_cache.h"
#include "engine/graphics/glyph_source.h"
#include "engine/graphics/texture.h"

namespace vuzed {

class TDovivez;

class TVZTextWriter {
 public:
  struct TExtent {
    int Width = 0, Height = 0;
  };

  // Glyphs come from the platform's rasteriser.
  TVZTextWriter(TDovivez* device, int cacheCapacity, D3DFORMAT glyphFormat);
  // Glyphs come from source (tests).
  TVZTextWriter(TDovivez* device, int cacheCapacity, D3DFORMAT glyphFormat, std::unique_ptr<GlyphSource> source);

  TVZFont& Font() { return Font_; }
  const TVZFont& Font() const { return Font_; }
  TVZFontCache& Cache() { return *Cache_; }
  D3DFORMAT GlyphFormat() const { return GlyphFormat_; }

  // Copies the glyphs of text into texture with the pen's top left at (x, y),
  // replacing the pixels under each glyph box (no blending). Boxes are clipped
  // to the texture's allocated size; the text ends early once the pen reaches
  // the texture's Width.
  void DrawText(int x, int y, TMXTexture& texture, std::string_view text);
  // Width = the sum of the glyph advances, Height = the font's cell height.
  TExtent MeasureText(std::string_view text);
  // A new managed texture (one level) sized to the text, with the text drawn
  // in white on the fill colour (transparent black). Text without width still
  // gets a texture, one pixel wide.
  std::unique_ptr<TMXTexture> CreateTextTexture(std::string_view text, const std::vector<D3DFORMAT>& formats,
                                                const std::string& name);

 private:
  void CopyGlyph(const TVZGlyphEntry& glyph, TMXTexture& texture, const TRect& box, int skipX, int skipY);

  TDovivez* Device_;
  std::unique_ptr<GlyphSource> Source_;
  std::unique_ptr<TVZFontCache> Cache_;
  D3DFORMAT GlyphFormat_;
  int BytesPerPixel_;
  TVZFont Font_;
};

}  // namespace vuzed
