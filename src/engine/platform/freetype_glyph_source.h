#pragma once
// The platform's glyph rasteriser: FreeType renders the face fontconfig picks
// for "sans-serif:lang=ja" (Debian: IPA Gothic), measured the way GDI measures
// a TrueType font:
//
// - Font height h > 0 is the cell height: ascent + descent = h pixels. The em
//   size is h * unitsPerEm / (winAscent + winDescent) of the OS/2 table (the
//   face's ascender - descender when there is none), rounded to whole pixels.
//   Ascent = winAscent at that size, rounded, at most h. h < 0 is the em size
//   itself; the cell then follows from the metrics.
// - Coverage comes in FreeType's 256 levels and is reduced to GDI's 65:
//   level = (v * 64 + 127) / 255.
// - Outlines are hinted by FreeType's auto-hinter. Box origin = (bitmap_left,
//   bitmap_top); advance = the design advance at the em size, rounded to whole
//   pixels. A space has an empty box and keeps its advance.
// - A code CP932 cannot decode, or that the face has no glyph for, draws
//   nothing and advances half the cell height (one-byte code) or the whole
//   cell height (two-byte code), the widths of GDI's default character. A lead
//   byte alone (the last byte of a text) draws nothing and does not advance.
// - Only the face fontconfig picked is used: the font name keys the glyph
//   cache but chooses no other face. Bold and italic are synthesised;
//   underline and strike-out are not part of a glyph outline.
//
// Without a usable face every glyph is empty but still advances, so text
// textures keep their size; the problem is reported once on stderr.

#include <memory>
#include <string>

#include "engine/graphics/glyph_source.h"
#include "engine/platform/shift_jis_decoder.h"

namespace vuzed {

class FreetypeGlyphSource : public GlyphSource {
 public:
  // The face fontconfig finds for "sans-serif:lang=ja" (looked up once per process).
  FreetypeGlyphSource();
  // The face at faceIndex of fontFile.
  FreetypeGlyphSource(const std::string& fontFile, int faceIndex);
  ~FreetypeGlyphSource() override;

  TGlyphImage RenderGlyph(uint32_t code, const TVZFont& font, bool antialias) override;
  int CellHeight(const TVZFont& font) override;

  bool HasFace() const;
  const std::string& FaceFile() const { return FaceFile_; }

 private:
  struct TSize {
    int FontHeight = 0;  // the font height these numbers are for
    int Ppem = 0;        // em size in pixels; 0: nothing can be drawn at this height
    int Cell = 0;
    int Ascent = 0;
  };
  struct TFreetype;  // library and face

  void Open(const std::string& fontFile, int faceIndex);
  // The size for a font height, selected on the face when it has one.
  const TSize& SizeFor(int fontHeight);

  std::unique_ptr<TFreetype> Freetype_;
  std::string FaceFile_;
  ShiftJisDecoder Decoder_;
  TSize Size_;
  bool HaveSize_ = false;
};

}  // namespace vuzed
