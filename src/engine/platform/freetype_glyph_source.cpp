#include "engine/platform/freetype_glyph_source.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace vuzed {
namespace {

constexpr const char* DefaultPattern = "sans-serif:lang=ja";
constexpr int MaxFontHeight = 1024;  // larger heights draw nothing
constexpr char32_t Hiragana_A = 0x3042;

struct TFaceLocation {
  std::string File;  // empty: fontconfig found nothing
  int Index = 0;
};

// Only the first problem is worth a line: the rest follow from it.
void ReportOnce(const std::string& text) {
  static bool reported = false;
  if (reported) return;
  reported = true;
  std::fprintf(stderr, "fonts: %s\n", text.c_str());
}

// The lookup uses a configuration of its own, destroyed afterwards: the
// process keeps no fontconfig state (whose start-up allocations the leak
// checker would otherwise report).
TFaceLocation FindFace(const char* patternText) {
  TFaceLocation location;
  FcConfig* config = FcInitLoadConfigAndFonts();
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(patternText));
  if (config && pattern) {
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    if (FcPattern* match = FcFontMatch(config, pattern, &result)) {
      FcChar8* file = nullptr;
      int index = 0;
      if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file) {
        location.File = reinterpret_cast<const char*>(file);
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch) location.Index = index;
      }
      FcPatternDestroy(match);
    }
  }
  if (pattern) FcPatternDestroy(pattern);
  if (config) FcConfigDestroy(config);
  return location;
}

const TFaceLocation& DefaultFace() {
  static const TFaceLocation face = FindFace(DefaultPattern);
  return face;
}

// a * b / c rounded to nearest, for positive c.
int64_t MulDivRound(int64_t a, int64_t b, int64_t c) { return (a * b + c / 2) / c; }

// The bitmap's coverage, rows top first, in levels 0 to 64.
std::vector<uint8_t> CoverageOf(const FT_Bitmap& bitmap) {
  const int width = int(bitmap.width), rows = int(bitmap.rows);
  if (width <= 0 || rows <= 0 || !bitmap.buffer) return {};
  const int grays = bitmap.pixel_mode == FT_PIXEL_MODE_GRAY ? bitmap.num_grays - 1 : 0;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO && grays <= 0) return {};
  const int full = GlyphSource::FullCoverage;
  std::vector<uint8_t> coverage(size_t(width) * size_t(rows));
  uint8_t* out = coverage.data();
  for (int y = 0; y < rows; ++y) {
    // A negative pitch stores the rows bottom first.
    const int stored = bitmap.pitch >= 0 ? y : rows - 1 - y;
    const unsigned char* row = bitmap.buffer + std::ptrdiff_t(stored) * std::abs(bitmap.pitch);
    for (int x = 0; x < width; ++x, ++out) {
      if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
        *out = (row[x / 8] & (0x80 >> (x % 8))) ? uint8_t(full) : 0;
      else
        *out = uint8_t((row[x] * full + grays / 2) / grays);
    }
  }
  return coverage;
}

}  // namespace

struct FreetypeGlyphSource::TFreetype {
  FT_Library Library = nullptr;
  FT_Face Face = nullptr;
  ~TFreetype() {
    if (Face) FT_Done_Face(Face);
    if (Library) FT_Done_FreeType(Library);
  }
};

FreetypeGlyphSource::FreetypeGlyphSource() : Freetype_(std::make_unique<TFreetype>()) {
  const TFaceLocation& location = DefaultFace();
  if (location.File.empty()) {
    ReportOnce(std::string("fontconfig found no face for ") + DefaultPattern + "; text will be blank");
    return;
  }
  Open(location.File, location.Index);
}

FreetypeGlyphSource::FreetypeGlyphSource(const std::string& fontFile, int faceIndex)
    : Freetype_(std::make_unique<TFreetype>()) {
  Open(fontFile, faceIndex);
}

FreetypeGlyphSource::~FreetypeGlyphSource() = default;

void FreetypeGlyphSource::Open(const std::string& fontFile, int faceIndex) {
  FaceFile_ = fontFile;
  if (FT_Init_FreeType(&Freetype_->Library) != 0) {
    Freetype_->Library = nullptr;
    ReportOnce("FreeType cannot start; text will be blank");
    return;
  }
  if (FT_New_Face(Freetype_->Library, fontFile.c_str(), faceIndex, &Freetype_->Face) != 0 ||
      !FT_IS_SCALABLE(Freetype_->Face) || Freetype_->Face->units_per_EM == 0) {
    if (Freetype_->Face) FT_Done_Face(Freetype_->Face);
    Freetype_->Face = nullptr;
    ReportOnce("FreeType cannot use the font " + fontFile + "; text will be blank");
    return;
  }
  if (FT_Get_Char_Index(Freetype_->Face, Hiragana_A) == 0)
    ReportOnce("the font " + fontFile + " has no Japanese glyphs; Japanese text will be blank");
}

bool FreetypeGlyphSource::HasFace() const { return Freetype_->Face != nullptr; }

const FreetypeGlyphSource::TSize& FreetypeGlyphSource::SizeFor(int fontHeight) {
  if (HaveSize_ && Size_.FontHeight == fontHeight) return Size_;
  HaveSize_ = true;
  Size_ = TSize{};
  Size_.FontHeight = fontHeight;
  const int64_t magnitude = std::abs(int64_t(fontHeight));
  if (magnitude == 0 || magnitude > MaxFontHeight) return Size_;
  if (!HasFace()) {
    Size_.Cell = int(magnitude);
    return Size_;
  }

  const FT_Face face = Freetype_->Face;
  const int64_t em = face->units_per_EM;
  int64_t ascent = face->ascender, descent = -int64_t(face->descender);
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
    ascent = os2->usWinAscent;
    descent = os2->usWinDescent;
  }
  if (ascent + descent <= 0) {
    ascent = em;
    descent = 0;
  }
  int64_t ppem, cell;
  if (fontHeight > 0) {
    cell = fontHeight;
    ppem = std::max<int64_t>(MulDivRound(cell, em, ascent + descent), 1);
  } else {
    ppem = magnitude;
    cell = std::max<int64_t>(MulDivRound(ascent + descent, ppem, em), 1);
  }
  Size_.Cell = int(cell);
  Size_.Ascent = int(std::clamp<int64_t>(MulDivRound(ascent, ppem, em), 0, cell));
  if (FT_Set_Pixel_Sizes(face, 0, FT_UInt(ppem)) == 0) Size_.Ppem = int(ppem);
  return Size_;
}

int FreetypeGlyphSource::CellHeight(const TVZFont& font) { return SizeFor(font.Height).Cell; }

TGlyphImage FreetypeGlyphSource::RenderGlyph(uint32_t code, const TVZFont& font, bool antialias) {
  TGlyphImage image;
  const ShiftJisDecoder::TDecoded decoded = Decoder_.Decode(code);
  if (decoded.Result == ShiftJisDecoder::TResult::Incomplete) return image;
  const TSize& size = SizeFor(font.Height);
  image.Ascent = size.Ascent;
  image.CellIncX = code > 0xFF ? size.Cell : size.Cell / 2;
  if (decoded.Result != ShiftJisDecoder::TResult::Ok || size.Ppem == 0) return image;

  const FT_Face face = Freetype_->Face;
  const FT_UInt index = FT_Get_Char_Index(face, decoded.Char);
  if (index == 0) return image;
  const FT_Int32 target = antialias ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO;
  // The auto-hinter: the font's own hints drop thin strokes such as "_" at the
  // sizes the game uses.
  if (FT_Load_Glyph(face, index, FT_LOAD_NO_BITMAP | FT_LOAD_FORCE_AUTOHINT | target) != 0) return image;
  const FT_GlyphSlot slot = face->glyph;
  // The design advance (16.16) rounded: half-width and full-width characters
  // keep one width each. Emboldening widens it by what it adds to the outline.
  const FT_Pos hinted = slot->advance.x;
  if (font.Style & fs::Bold) FT_GlyphSlot_Embolden(slot);
  if (font.Style & fs::Italic) FT_GlyphSlot_Oblique(slot);
  if (FT_Render_Glyph(slot, antialias ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) != 0) return image;

  image.CellIncX = int(((slot->linearHoriAdvance + 0x8000) >> 16) + ((slot->advance.x - hinted + 32) >> 6));
  image.CellIncY = 0;
  image.OriginX = slot->bitmap_left;
  image.OriginY = slot->bitmap_top;
  image.Coverage = CoverageOf(slot->bitmap);
  if (!image.Coverage.empty()) {
    image.BlackBoxX = int(slot->bitmap.width);
    image.BlackBoxY = int(slot->bitmap.rows);
  }
  return image;
}

std::unique_ptr<GlyphSource> MakePlatformGlyphSource() { return std::make_unique<FreetypeGlyphSource>(); }

}  // namespace vuzed
