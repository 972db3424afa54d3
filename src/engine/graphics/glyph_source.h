#pragma once
// The text writer's font and the rasteriser behind it. A GlyphSource turns one
// character code of a font into a coverage bitmap with the box metrics the
// glyph cache keeps; the platform's source is FreeType (see
// engine/platform/freetype_glyph_source.h).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vuzed {

// Font style bits (a set: several may be on at once).
namespace fs {
constexpr uint8_t Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8;
}  // namespace fs

// The writer's font. Height > 0 is the cell height in pixels (ascent plus
// descent); Height < 0 is the em height in pixels. An empty name is the
// platform's default face.
struct TVZFont {
  std::string Name;
  int Height = 20;
  uint8_t Style = 0;
};

// One rendered character, measured as GDI measures a glyph outline.
struct TGlyphImage {
  int BlackBoxX = 0, BlackBoxY = 0;  // box size in pixels
  int OriginX = 0;                   // pen to the box's left edge
  int OriginY = 0;                   // baseline up to the box's top edge
  int CellIncX = 0, CellIncY = 0;    // pen advance
  int Ascent = 0;                    // the font's ascent: cell top to baseline
  // BlackBoxX x BlackBoxY coverage levels, rows top first, no padding: 0 to 64
  // (65 levels); without antialiasing only 0 and 64. Empty when there is
  // nothing to draw (a space, an unknown code): the advance still counts.
  std::vector<uint8_t> Coverage;
};

class GlyphSource {
 public:
  static constexpr int FullCoverage = 64;

  virtual ~GlyphSource() = default;
  // code: a Shift-JIS character, one byte (0 to 255) or lead byte * 256 + trail byte.
  virtual TGlyphImage RenderGlyph(uint32_t code, const TVZFont& font, bool antialias) = 0;
  // Height of a line of text in pixels (the cell height).
  virtual int CellHeight(const TVZFont& font) = 0;
};

// The platform's rasteriser (FreeType with a fontconfig face).
std::unique_ptr<GlyphSource> MakePlatformGlyphSource();

}  // namespace vuzed
