#include "engine/graphics/font_cache.h"

#include <gtest/gtest.h>

#include "engine/graphics/pixel_format.h"
#include "support/fake_glyph_source.h"

namespace vuzed {
namespace {

using test::FakeGlyphSource;

class FontCacheTest : public ::testing::Test {
 protected:
  // Looks code up and tells whether the source had to render it.
  bool Rendered(uint32_t code, const TVZFont& font) {
    const size_t before = Source.Rendered.size();
    Cache.GetGlyph(code, font);
    return Source.Rendered.size() > before;
  }

  FakeGlyphSource Source;
  TVZFontCache Cache{Source, fmt::A8R8G8B8, 16};
  TVZFont Font;
};

TEST_F(FontCacheTest, AGlyphBecomesWhitePixelsWhoseAlphaCarriesTheCoverage) {
  Source.BoxWidth = 8;
  Source.BoxHeight = 8;  // levels 1 to 64
  Source.OriginX = -1;
  Source.OriginY = 7;
  const TVZGlyphEntry& e = Cache.GetGlyph(0x82A0, Font);
  EXPECT_EQ(e.Code, 0x82A0u);
  EXPECT_EQ(e.Width, 8);
  EXPECT_EQ(e.Height, 8);
  EXPECT_EQ(e.Pitch, 32);
  EXPECT_EQ(e.OriginX, -1);
  EXPECT_EQ(e.OffsetY, 3);  // ascent 10 - origin y 7
  EXPECT_EQ(e.AdvanceX, 5);
  ASSERT_EQ(e.Pixels.size(), 256u);
  auto pixel = [&](int x, int y) { return ReadPixel(&e.Pixels[size_t(y * e.Pitch + x * 4)], 4); };
  EXPECT_EQ(pixel(0, 0), 0x04FFFFFFu);  // level 1
  EXPECT_EQ(pixel(2, 1), 0x2CFFFFFFu);  // level 11
  EXPECT_EQ(pixel(6, 7), 0xFCFFFFFFu);  // level 63
  EXPECT_EQ(pixel(7, 7), 0xFFFFFFFFu);  // level 64: fully covered
  EXPECT_TRUE(Source.LastAntialias);
}

TEST_F(FontCacheTest, RowsOfTwoBytePixelsArePaddedToFourBytes) {
  TVZFontCache cache(Source, fmt::A4R4G4B4, 16);
  Source.BoxWidth = 7;
  const TVZGlyphEntry& e = cache.GetGlyph('A', Font);
  EXPECT_EQ(e.Pitch, 16);  // (2 * 7 + 3) rounded down to a multiple of 4
  ASSERT_EQ(e.Pixels.size(), 48u);
  EXPECT_EQ(ReadPixel(&e.Pixels[16 + 2 * 2], 2), 0x2FFFu);  // level 11: alpha 44
}

TEST_F(FontCacheTest, TheSeventeenthGlyphOfABucketEvictsTheLeastRecentlyUsed) {
  // Codes k * 256 + 5 all fall into bucket 5.
  for (uint32_t k = 0; k < 16; ++k) ASSERT_TRUE(Rendered(k * 256 + 5, Font));
  EXPECT_TRUE(Rendered(6, Font));  // another bucket
  EXPECT_EQ(Cache.TotalEntries(), 17);

  EXPECT_FALSE(Rendered(5, Font));        // found: moves to the front, so 0x105 is now the oldest
  EXPECT_TRUE(Rendered(16 * 256 + 5, Font));  // the seventeenth of bucket 5
  EXPECT_EQ(Cache.TotalEntries(), 17);     // it took the place of an entry
  EXPECT_FALSE(Rendered(5, Font));
  EXPECT_FALSE(Rendered(6, Font));
  EXPECT_FALSE(Rendered(15 * 256 + 5, Font));
  EXPECT_TRUE(Rendered(0x105, Font));      // it was evicted
}

TEST_F(FontCacheTest, FontNameHeightAndStyleArePartOfTheKey) {
  EXPECT_TRUE(Rendered('A', Font));
  TVZFont other = Font;
  other.Height = 24;
  EXPECT_TRUE(Rendered('A', other));
  EXPECT_EQ(Source.Fonts.back().Height, 24);
  other = Font;
  other.Name = "Gothic";
  EXPECT_TRUE(Rendered('A', other));
  other.Name = "gothic";  // names compare case-sensitively
  EXPECT_TRUE(Rendered('A', other));
  other = Font;
  other.Style = fs::Bold;
  EXPECT_TRUE(Rendered('A', other));
  EXPECT_FALSE(Rendered('A', Font));
  EXPECT_EQ(Cache.TotalEntries(), 5);
}

TEST_F(FontCacheTest, CountersFollowHitsMissesAndThePixelsHeld) {
  Cache.SetCapacity(1);
  Cache.GetGlyph('A', Font);  // 4 x 3 pixels of 4 bytes
  Cache.GetGlyph('A', Font);
  Cache.GetGlyph(' ', Font);  // a space holds no pixels
  EXPECT_EQ(Cache.Hits(), 1);
  EXPECT_EQ(Cache.Misses(), 2);
  EXPECT_EQ(Cache.TotalBytes(), 48);
  EXPECT_EQ(Cache.GetGlyph(' ', Font).AdvanceX, 5);

  Cache.GetGlyph('A' + 256, Font);  // evicts 'A' from bucket 0x41
  EXPECT_EQ(Cache.TotalBytes(), 48);
  EXPECT_EQ(Cache.TotalEntries(), 2);

  Cache.SetCapacity(16);
  EXPECT_EQ(Cache.Hits() + Cache.Misses() + Cache.TotalBytes() + Cache.TotalEntries(), 0);
  EXPECT_TRUE(Rendered('A' + 256, Font));  // emptied
}

}  // namespace
}  // namespace vuzed
