#pragma once
// A glyph source with one made-up glyph shape for every code, so glyph cache
// and text writer tests know every pixel. Coverage at (x, y) of a box is
// Level(x, y) = 1 + x + 8 * y (boxes up to 8 x 7 stay within 1..64); the
// alpha it becomes is 255 for 64 and 4 * level otherwise.

#include <cstdint>
#include <vector>

#include "engine/graphics/glyph_source.h"

namespace vuzed::test {

class FakeGlyphSource : public GlyphSource {
 public:
  static uint8_t Level(int x, int y) { return uint8_t(1 + x + 8 * y); }
  static uint32_t Alpha(int x, int y) { return Level(x, y) >= FullCoverage ? 255u : Level(x, y) * 4u; }

  TGlyphImage RenderGlyph(uint32_t code, const TVZFont& font, bool antialias) override {
    Rendered.push_back(code);
    Fonts.push_back(font);
    LastAntialias = antialias;
    TGlyphImage image;
    image.BlackBoxX = BoxWidth;
    image.BlackBoxY = BoxHeight;
    image.OriginX = OriginX;
    image.OriginY = OriginY;
    image.Ascent = Ascent;
    image.CellIncX = Advance;
    if (code == ' ') return image;  // a space: a box without pixels
    for (int y = 0; y < BoxHeight; ++y)
      for (int x = 0; x < BoxWidth; ++x) image.Coverage.push_back(Level(x, y));
    return image;
  }
  int CellHeight(const TVZFont&) override { return Cell; }

  // Every glyph's box and metrics.
  int BoxWidth = 4, BoxHeight = 3;
  int OriginX = 0, OriginY = 10, Ascent = 10;  // the box top sits at the cell top
  int Advance = 5;
  int Cell = 12;

  std::vector<uint32_t> Rendered;  // codes in the order they were rendered
  std::vector<TVZFont> Fonts;
  bool LastAntialias = false;
};

}  // namespace vuzed::test
