#include "engine/platform/freetype_glyph_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <string>

#include "engine/graphics/text_writer.h"
#include "support/texture_fixture.h"

namespace vuzed {
namespace {

// "弾幕" in CP932, then "Ab".
constexpr const char* Danmaku = "\x92\x65\x96\x8B";
constexpr uint32_t DanmakuAb[] = {0x9265, 0x968B, 'A', 'b'};

class FreetypeGlyphSourceTest : public test::TextureFixture {
 protected:
  void SetUp() override {
    TextureFixture::SetUp();
    ASSERT_TRUE(Source.HasFace()) << "no usable face for sans-serif:lang=ja; install fonts-ipafont-gothic";
  }

  static int Sum(const TGlyphImage& g) { return std::accumulate(g.Coverage.begin(), g.Coverage.end(), 0); }

  FreetypeGlyphSource Source;
  TVZFont Font;  // height 20, as the game sets it
};

TEST_F(FreetypeGlyphSourceTest, TheFaceDrawsJapaneseAndEveryBoxFitsTheTwentyPixelCell) {
  EXPECT_EQ(Source.CellHeight(Font), 20);
  const TGlyphImage a = Source.RenderGlyph(0x82A0, Font, true);  // あ
  EXPECT_FALSE(a.Coverage.empty()) << Source.FaceFile() << " has no hiragana";
  for (uint32_t code : {0x9265u, 0x968Bu, 0x82A0u, uint32_t('A'), uint32_t('b'), uint32_t('g'), uint32_t('_')}) {
    const TGlyphImage g = Source.RenderGlyph(code, Font, true);
    SCOPED_TRACE(code);
    ASSERT_FALSE(g.Coverage.empty());
    EXPECT_EQ(g.Coverage.size(), size_t(g.BlackBoxX) * size_t(g.BlackBoxY));
    EXPECT_GT(g.Ascent, 10);
    EXPECT_GE(g.Ascent - g.OriginY, 0);  // the box's top within the cell
    EXPECT_LE(g.Ascent - g.OriginY + g.BlackBoxY, 20);
    EXPECT_GE(g.OriginX, 0);
    EXPECT_LE(g.OriginX + g.BlackBoxX, g.CellIncX + 1);
  }
  EXPECT_GT(Source.RenderGlyph(0x9265, Font, true).CellIncX, Source.RenderGlyph('A', Font, true).CellIncX);
}

TEST_F(FreetypeGlyphSourceTest, CoverageComesInSixtyFiveLevelsOrTwoWithoutAntialiasing) {
  const TGlyphImage smooth = Source.RenderGlyph(0x9265, Font, true);
  EXPECT_EQ(*std::max_element(smooth.Coverage.begin(), smooth.Coverage.end()), 64);
  EXPECT_TRUE(std::any_of(smooth.Coverage.begin(), smooth.Coverage.end(), [](uint8_t v) { return v > 0 && v < 64; }));

  const TGlyphImage sharp = Source.RenderGlyph(0x9265, Font, false);
  ASSERT_FALSE(sharp.Coverage.empty());
  EXPECT_TRUE(std::all_of(sharp.Coverage.begin(), sharp.Coverage.end(), [](uint8_t v) { return v == 0 || v == 64; }));

  TVZFont bold = Font;
  bold.Style = fs::Bold;
  EXPECT_GT(Sum(Source.RenderGlyph(0x9265, bold, true)), Sum(smooth));
}

TEST_F(FreetypeGlyphSourceTest, BlankAndUnknownCodesDrawNothingButAdvance) {
  const TGlyphImage space = Source.RenderGlyph(' ', Font, true);
  EXPECT_TRUE(space.Coverage.empty());
  EXPECT_EQ(space.CellIncX, Source.RenderGlyph('A', Font, true).CellIncX);
  const TGlyphImage lone = Source.RenderGlyph(0x82, Font, true);  // a lead byte without its trail byte
  EXPECT_TRUE(lone.Coverage.empty());
  EXPECT_EQ(lone.CellIncX, 0);
  EXPECT_EQ(Source.RenderGlyph(0x80, Font, true).CellIncX, 10);    // no character: half the cell
  EXPECT_EQ(Source.RenderGlyph(0x8120, Font, true).CellIncX, 20);  // two bytes: the whole cell
  EXPECT_TRUE(Source.RenderGlyph(0x8120, Font, true).Coverage.empty());
}

TEST_F(FreetypeGlyphSourceTest, ATextTextureHoldsOpaqueWhiteGlyphsOnTransparentBlack) {
  TVZTextWriter writer(&Device, 16, fmt::A8R8G8B8);
  auto t = writer.CreateTextTexture(std::string(Danmaku) + "Ab", GameTextureFormats(), "");
  int width = 0;
  for (uint32_t code : DanmakuAb) width += Source.RenderGlyph(code, Font, true).CellIncX;
  EXPECT_EQ(t->Width(), width);
  EXPECT_EQ(t->Height(), 20);
  ASSERT_EQ(t->Format(), fmt::A8R8G8B8);

  int opaque = 0, background = 0, edge = 0;
  for (int y = 0; y < t->AllocHeight(); ++y)
    for (int x = 0; x < t->AllocWidth(); ++x) {
      const uint32_t c = ColorAt(*t, x, y);
      ASSERT_TRUE(c == 0 || (c & 0xFFFFFFu) == 0xFFFFFFu) << std::hex << c << " at " << std::dec << x << "," << y;
      opaque += c == 0xFFFFFFFFu;
      background += c == 0;
      edge += (c >> 24) > 0 && (c >> 24) < 255;
    }
  EXPECT_GT(opaque, 20);
  EXPECT_GT(background, 20);
  EXPECT_GT(edge, 0);
}

using FreetypeWithoutFontTest = test::TextureFixture;

TEST_F(FreetypeWithoutFontTest, GlyphsAreEmptyButTextKeepsItsSize) {
  auto owned = std::make_unique<FreetypeGlyphSource>("/nonexistent/font.ttf", 0);
  FreetypeGlyphSource& source = *owned;
  EXPECT_FALSE(source.HasFace());
  const TVZFont font;
  EXPECT_EQ(source.CellHeight(font), 20);
  const TGlyphImage a = source.RenderGlyph('A', font, true);
  EXPECT_TRUE(a.Coverage.empty());
  EXPECT_EQ(a.CellIncX, 10);

  TVZTextWriter writer(&Device, 16, fmt::A8R8G8B8, std::move(owned));
  auto t = writer.CreateTextTexture(std::string(Danmaku) + "Ab", GameTextureFormats(), "");
  EXPECT_EQ(t->Width(), 60);  // 20 + 20 + 10 + 10
  EXPECT_EQ(t->Height(), 20);
  for (int y = 0; y < t->AllocHeight(); ++y)
    for (int x = 0; x < t->AllocWidth(); ++x) ASSERT_EQ(t->PixelAt(x, y), 0u);
}

}  // namespace
}  // namespace vuzed
