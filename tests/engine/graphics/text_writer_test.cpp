#include "engine/graphics/text_writer.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "support/fake_glyph_source.h"
#include "support/texture_fixture.h"

namespace vuzed {
namespace {

using test::FakeGlyphSource;
using Boxes = std::vector<std::pair<int, int>>;  // top-left corners of 4 x 3 glyph boxes

constexpr uint32_t Red = 0xFFFF0000u;

class TextWriterTest : public test::TextureFixture {
 protected:
  std::unique_ptr<TMXTexture> RedTexture(int width, int height) {
    auto t = std::make_unique<TMXTexture>(&Device, GameTextureFormats());
    t->SetSize(width, height);
    t->FillRect({0, 0, t->AllocWidth(), t->AllocHeight()}, Red, false);
    return t;
  }

  // Every allocated pixel of t: the fake glyph's pixel where a box covers it,
  // background elsewhere, as t's format holds those colours.
  static void ExpectBoxes(const TMXTexture& t, const Boxes& boxes, uint32_t background = Red) {
    for (int y = 0; y < t.AllocHeight(); ++y)
      for (int x = 0; x < t.AllocWidth(); ++x) {
        uint32_t expected = background;
        for (auto [left, top] : boxes)
          if (x >= left && x < left + 4 && y >= top && y < top + 3)
            expected = FakeGlyphSource::Alpha(x - left, y - top) << 24 | 0xFFFFFFu;
        ASSERT_EQ(ColorAt(t, x, y), PixelToColor(ColorToPixel(expected, t.Format()), t.Format()))
            << "at " << x << "," << y;
      }
  }

  std::unique_ptr<FakeGlyphSource> Owned = std::make_unique<FakeGlyphSource>();
  FakeGlyphSource& Source = *Owned;
  TVZTextWriter Writer{&Device, 16, fmt::A8R8G8B8, std::move(Owned)};
};

TEST_F(TextWriterTest, TextIsReadAsShiftJisAndALeadByteAtTheEndStandsAlone) {
  auto t = RedTexture(40, 4);
  Writer.DrawText(0, 0, *t, "A\x82\xA0\xB1\x80\xE0\x41\xFD");
  EXPECT_EQ(Source.Rendered, (std::vector<uint32_t>{0x41, 0x82A0, 0xB1, 0x80, 0xE041, 0xFD}));
  EXPECT_EQ(Source.Fonts.back().Height, Writer.Font().Height);
  ExpectBoxes(*t, {{0, 0}, {5, 0}, {10, 0}, {15, 0}, {20, 0}, {25, 0}});
}

TEST_F(TextWriterTest, TextStartingAtTheRightOrBottomEdgeDrawsNothing) {
  auto t = RedTexture(20, 6);
  Writer.DrawText(20, 0, *t, "AB");
  Writer.DrawText(0, 6, *t, "AB");
  EXPECT_TRUE(Source.Rendered.empty());
  ExpectBoxes(*t, {});
}

TEST_F(TextWriterTest, GlyphsLeftOfOrAboveTheTextureShowOnlyTheirVisiblePart) {
  auto t = RedTexture(12, 4);
  Writer.DrawText(-2, -1, *t, "AB");
  ExpectBoxes(*t, {{-2, -1}, {3, -1}});
  Writer.DrawText(-9, 2, *t, "XYZ");  // the first glyph lies wholly outside; the pen goes on
  ExpectBoxes(*t, {{-2, -1}, {3, -1}, {1, 2}});
}

TEST_F(TextWriterTest, AGlyphPastTheRightEdgeIsCutAndThePenStopsAtTheWidth) {
  auto t = RedTexture(12, 6);
  Writer.DrawText(0, 2, *t, "ABCD");
  EXPECT_EQ(Source.Rendered.size(), 3u);  // the pen reached 15 after "C"
  ExpectBoxes(*t, {{0, 2}, {5, 2}, {10, 2}});
}

TEST_F(TextWriterTest, GlyphBoxesAreClippedToTheAllocatedSize) {
  Backend.Caps.TexturePow2 = true;
  Source.OriginX = 3;
  auto t = RedTexture(10, 3);  // 16 x 4 allocated
  Writer.DrawText(0, 0, *t, "AB");
  ExpectBoxes(*t, {{3, 0}, {8, 0}});
}

TEST_F(TextWriterTest, ATextureInAnotherFormatGetsItsPixelsConverted) {
  Backend.TextureFormats = {fmt::A4R4G4B4};
  auto t = RedTexture(9, 4);
  ASSERT_EQ(t->Format(), fmt::A4R4G4B4);
  Writer.DrawText(0, 1, *t, "AB");
  ExpectBoxes(*t, {{0, 1}, {5, 1}});
}

TEST_F(TextWriterTest, ATextTextureIsSizedToTheAdvancesAndTheCell) {
  auto t = Writer.CreateTextTexture("AB C", GameTextureFormats(), "name");
  EXPECT_EQ(t->ResourceName(), "name");
  EXPECT_EQ(t->Width(), 20);
  EXPECT_EQ(t->Height(), 12);
  EXPECT_EQ(t->Format(), fmt::A8R8G8B8);
  EXPECT_EQ(t->Source(), TMXTexture::TSource::Memory);
  ExpectBoxes(*t, {{0, 0}, {5, 0}, {15, 0}}, 0);

  auto empty = Writer.CreateTextTexture("", GameTextureFormats(), "");
  EXPECT_TRUE(empty->HasTexture());
  EXPECT_EQ(empty->Width(), 1);
  EXPECT_EQ(empty->Height(), 12);
  EXPECT_EQ(Log().find("テクスチャの生成に失敗しました"), std::string::npos);
}

}  // namespace
}  // namespace vuzed
