#include "text.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace vuzed::pictures {
namespace {

// One code point from UTF-8; malformed bytes read as themselves.
char32_t NextCodePoint(std::string_view s, size_t& i) {
  const auto b = [&](size_t k) { return uint8_t(s[k]); };
  const uint8_t c = b(i);
  int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
  if (extra && i + size_t(extra) >= s.size()) extra = 0;
  char32_t cp = extra == 0 ? c : extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
  for (int k = 1; k <= extra; ++k) cp = cp << 6 | (b(i + size_t(k)) & 0x3F);
  i += size_t(extra) + 1;
  return cp;
}

std::string FindFaceFile(int& index) {
  std::string file;
  FcConfig* config = FcInitLoadConfigAndFonts();
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif:lang=ja"));
  if (config && pattern) {
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    if (FcPattern* match = FcFontMatch(config, pattern, &result)) {
      FcChar8* path = nullptr;
      if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path) {
        file = reinterpret_cast<const char*>(path);
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
      }
      FcPatternDestroy(match);
    }
  }
  if (pattern) FcPatternDestroy(pattern);
  if (config) FcConfigDestroy(config);
  return file;
}

}  // namespace

struct TextRenderer::TFace {
  FT_Library Library = nullptr;
  FT_Face Face = nullptr;
  ~TFace() {
    if (Face) FT_Done_Face(Face);
    if (Library) FT_Done_FreeType(Library);
  }

  // Draws (into non-null) or measures; returns the advance in pixels.
  float Run(Mask* into, std::string_view text, float x, float baseline, float size, bool bold) const {
    FT_Set_Char_Size(Face, 0, FT_F26Dot6(std::lround(size * 64)), 72, 72);
    const FT_Pos strength = bold ? FT_Pos(std::lround(size * 64 / 18)) : 0;
    float pen = x;
    for (size_t i = 0; i < text.size();) {
      const char32_t cp = NextCodePoint(text, i);
      const FT_UInt glyph = FT_Get_Char_Index(Face, FT_ULong(cp));
      if (FT_Load_Glyph(Face, glyph, FT_LOAD_NO_BITMAP | FT_LOAD_NO_HINTING) != 0) continue;
      FT_GlyphSlot slot = Face->glyph;
      const float advance = float(slot->advance.x + strength) / 64.f;
      if (into && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        if (strength) FT_Outline_Embolden(&slot->outline, strength);
        // The pen's fraction moves the outline so glyphs sit where they belong.
        const float whole = std::floor(pen);
        FT_Outline_Translate(&slot->outline, FT_Pos(std::lround((pen - whole) * 64)), 0);
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) == 0) {
          const FT_Bitmap& bm = slot->bitmap;
          const int ox = int(whole) + slot->bitmap_left, oy = int(std::lround(baseline)) - slot->bitmap_top;
          for (int by = 0; by < int(bm.rows); ++by)
            for (int bx = 0; bx < int(bm.width); ++bx) {
              const int tx = ox + bx, ty = oy + by;
              if (tx < 0 || ty < 0 || tx >= into->Width() || ty >= into->Height()) continue;
              const float v = float(bm.buffer[by * bm.pitch + bx]) / 255.f;
              (*into)(tx, ty) = std::max((*into)(tx, ty), v);
            }
        }
      }
      pen += advance;
    }
    return pen - x;
  }
};

TextRenderer::TextRenderer() {
  auto face = std::make_unique<TFace>();
  int index = 0;
  const std::string file = FindFaceFile(index);
  if (!file.empty() && FT_Init_FreeType(&face->Library) == 0 &&
      FT_New_Face(face->Library, file.c_str(), index, &face->Face) == 0 && FT_IS_SCALABLE(face->Face)) {
    Face_ = std::move(face);
    return;
  }
  std::fprintf(stderr, "pictures: no scalable face for sans-serif:lang=ja; drawing letters with strokes\n");
}

TextRenderer::~TextRenderer() = default;

bool TextRenderer::HasFace() const { return Face_ != nullptr; }

float TextRenderer::Draw(Mask& into, std::string_view text, float x, float baseline, float size, bool bold) const {
  if (Face_) return Face_->Run(&into, text, x, baseline, size, bold);
  return DrawStrokeText(into, text, x, baseline, size, bold);
}

float TextRenderer::Measure(std::string_view text, float size, bool bold) const {
  if (Face_) return Face_->Run(nullptr, text, 0, 0, size, bold);
  return MeasureStrokeText(text, size);
}

void TextRenderer::Centered(Mask& into, std::string_view text, float cx, float cy, float size, bool bold) const {
  const float w = Measure(text, size, bold);
  Draw(into, text, std::round(cx - w / 2), std::round(cy + size * 0.36f), size, bold);
}

Mask TextRenderer::Label(int width, int height, std::string_view text, float size, bool bold) const {
  Mask m(width, height);
  Centered(m, text, float(width) / 2, float(height) / 2, size, bold);
  return m;
}

}  // namespace vuzed::pictures
