#include "engine/graphics/bmp_loader.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/texture_fixture.h"

namespace vuzed {
namespace {

using test::BmpPicture;
using test::PictureOf;

constexpr uint32_t Fill = 0x12345678;

// A distinct colour for every position.
uint32_t Rgb(int x, int y) { return uint32_t(0x100000 * (x + 1) + 0x1000 * (y + 1) + 0x10 * (x + y) + 7); }

class BmpLoaderTest : public test::TextureFixture {
 protected:
  TMXTexture& NewTexture() {
    Texture = std::make_unique<TMXTexture>(&Device, GameTextureFormats());
    Texture->SetFillColor(Fill);
    return *Texture;
  }
  // The texture still shows nothing but its fill colour.
  void ExpectOnlyFill(const TMXTexture& t) {
    ASSERT_TRUE(t.HasTexture());
    for (int y = 0; y < t.AllocHeight(); ++y)
      for (int x = 0; x < t.AllocWidth(); ++x) ASSERT_EQ(ColorAt(t, x, y), Fill) << x << "," << y;
  }
  std::unique_ptr<TMXTexture> Texture;
};

TEST_F(BmpLoaderTest, TwentyFourBitRowsArePaddedAndStoredBottomUp) {
  for (int width : {1, 2, 3, 5}) {
    SCOPED_TRACE(width);
    TMXTexture& t = NewTexture();
    ASSERT_TRUE(t.LoadFromFile(WriteBmp("w.bmp", PictureOf(width, 3, 24, Rgb))));
    ASSERT_EQ(t.Width(), width);
    ASSERT_EQ(t.Height(), 3);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < width; ++x) EXPECT_EQ(ColorAt(t, x, y), 0xFF000000 | Rgb(x, y)) << x << "," << y;
  }
}

TEST_F(BmpLoaderTest, ThirtyTwoBitPixelsKeepTheirAlpha) {
  for (int width : {1, 3}) {
    TMXTexture& t = NewTexture();
    auto argb = [](int x, int y) { return uint32_t(0x40 * x + 0x10 * y) << 24 | Rgb(x, y); };
    ASSERT_TRUE(t.LoadFromFile(WriteBmp("p.bmp", PictureOf(width, 2, 32, argb))));
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < width; ++x) EXPECT_EQ(ColorAt(t, x, y), argb(x, y));
  }
}

TEST_F(BmpLoaderTest, EightBitPixelsTakeTheirPaletteColourOpaque) {
  for (int width : {1, 2, 3, 5}) {
    SCOPED_TRACE(width);
    BmpPicture picture = PictureOf(width, 2, 8, [](int x, int y) { return uint32_t((x + y) % 2 == 0 ? 5 : 7); });
    picture.Palette.assign(256, 0x000000);
    picture.Palette[5] = 0xFF0000;  // stored blue 0, green 0, red 255
    picture.Palette[7] = 0x123456;
    TMXTexture& t = NewTexture();
    ASSERT_TRUE(t.LoadFromFile(WriteBmp("p8.bmp", picture)));
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < width; ++x)
        EXPECT_EQ(ColorAt(t, x, y), (x + y) % 2 == 0 ? 0xFFFF0000u : 0xFF123456u) << x << "," << y;
  }
}

TEST_F(BmpLoaderTest, AShortPaletteEndsWherePixelsBeginAndLaterIndexesAreBlack) {
  BmpPicture picture = PictureOf(4, 1, 8, [](int x, int) { return uint32_t(x); });
  picture.Palette = {0x0000FF, 0x00FF00, 0xFF0000};  // ClrUsed 3
  TMXTexture& t = NewTexture();
  ASSERT_TRUE(t.LoadFromFile(WriteBmp("short.bmp", picture)));
  EXPECT_EQ(ColorAt(t, 0, 0), 0xFF0000FFu);
  EXPECT_EQ(ColorAt(t, 1, 0), 0xFF00FF00u);
  EXPECT_EQ(ColorAt(t, 2, 0), 0xFFFF0000u);
  EXPECT_EQ(ColorAt(t, 3, 0), 0xFF000000u);
}

TEST_F(BmpLoaderTest, AZeroColourCountWithFewerEntriesStopsAtThePixelOffset) {
  // Some writers leave biClrUsed 0 with a short palette: what lies between
  // the header and bfOffBits is the whole palette.
  BmpPicture picture = PictureOf(2, 1, 8, [](int x, int) { return uint32_t(x == 0 ? 1 : 2); });
  picture.Palette = {0x000000, 0xABCDEF};
  picture.ClrUsed = 0;
  TMXTexture& t = NewTexture();
  ASSERT_TRUE(t.LoadFromFile(WriteBmp("zero.bmp", picture)));
  EXPECT_EQ(ColorAt(t, 0, 0), 0xFFABCDEFu);
  EXPECT_EQ(ColorAt(t, 1, 0), 0xFF000000u);
}

TEST_F(BmpLoaderTest, ALargerInfoHeaderMovesThePaletteAndAGapMovesThePixels) {
  BmpPicture picture = PictureOf(2, 2, 8, [](int x, int y) { return uint32_t(x + 2 * y); });
  picture.Palette = {0x010101, 0x020202, 0x030303, 0x040404};
  picture.InfoSize = 124;
  picture.Gap = 6;
  TMXTexture& t = NewTexture();
  ASSERT_TRUE(t.LoadFromFile(WriteBmp("v5.bmp", picture)));
  EXPECT_EQ(ColorAt(t, 0, 0), 0xFF010101u);
  EXPECT_EQ(ColorAt(t, 1, 0), 0xFF020202u);
  EXPECT_EQ(ColorAt(t, 0, 1), 0xFF030303u);
  EXPECT_EQ(ColorAt(t, 1, 1), 0xFF040404u);
}

TEST_F(BmpLoaderTest, SixteenBitPixelsAreOpaqueOneFiveFiveFive) {
  // The top bit means nothing; five-bit channels widen to eight.
  BmpPicture picture = PictureOf(3, 1, 16, [](int x, int) {
    const uint32_t values[] = {0x7FFF, 0x8000 | 31 << 10, 1 << 5 | 16};
    return values[x];
  });
  TMXTexture& t = NewTexture();
  ASSERT_TRUE(t.LoadFromFile(WriteBmp("p16.bmp", picture)));
  EXPECT_EQ(ColorAt(t, 0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(ColorAt(t, 1, 0), 0xFFFF0000u);
  EXPECT_EQ(ColorAt(t, 2, 0), 0xFF000883u);  // green 1 -> 8, blue 16 -> 131
}

TEST_F(BmpLoaderTest, ANegativeHeightStoresTheRowsTopDown) {
  TMXTexture& t = NewTexture();
  ASSERT_TRUE(t.LoadFromFile(WriteBmp("td.bmp", PictureOf(3, -4, 24, Rgb))));
  EXPECT_EQ(t.Height(), 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(ColorAt(t, x, y), 0xFF000000 | Rgb(x, y));
}

TEST_F(BmpLoaderTest, ThirtyTwoBitBitFieldsReadAsPlainArgb) {
  BmpPicture picture = PictureOf(2, 1, 32, [](int x, int) { return x ? 0x80FF0000u : 0xFF0000FFu; });
  picture.Compression = BmpHeader::BitFields;
  TMXTexture& t = NewTexture();
  ASSERT_TRUE(t.LoadFromFile(WriteBmp("bf.bmp", picture)));
  EXPECT_EQ(ColorAt(t, 0, 0), 0xFF0000FFu);
  EXPECT_EQ(ColorAt(t, 1, 0), 0x80FF0000u);
}

TEST_F(BmpLoaderTest, APictureLargerThanTheDeviceAllowsKeepsItsTopLeft) {
  Backend.Caps.MaxTextureWidth = 4;
  Backend.Caps.MaxTextureHeight = 4;
  for (int height : {6, -6}) {
    SCOPED_TRACE(height);
    TMXTexture& t = NewTexture();
    ASSERT_TRUE(t.LoadFromFile(WriteBmp("big.bmp", PictureOf(7, height, 24, Rgb))));
    EXPECT_EQ(t.AllocWidth(), 4);
    EXPECT_EQ(t.AllocHeight(), 4);
    EXPECT_EQ(t.Width(), 4);
    EXPECT_EQ(t.Height(), 4);
    EXPECT_FLOAT_EQ(t.MaxU(), 1.0f);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) EXPECT_EQ(ColorAt(t, x, y), 0xFF000000 | Rgb(x, y)) << x << "," << y;
  }
  EXPECT_TRUE(LogHasLine("要求されたテクスチャのサイズは大きすぎます。4 x 4 以内にして下さい"));
}

TEST_F(BmpLoaderTest, AStreamLoadsFromItsCurrentPosition) {
  std::stringstream stream;
  stream << "prefix";
  stream << test::MakeBmp(PictureOf(2, 2, 24, Rgb));
  stream.seekg(6);
  TMXTexture& t = NewTexture();
  ASSERT_TRUE(t.LoadFromStream(stream));
  EXPECT_EQ(t.Source(), TMXTexture::TSource::Memory);
  EXPECT_EQ(ColorAt(t, 1, 0), 0xFF000000 | Rgb(1, 0));
  EXPECT_EQ(ColorAt(t, 0, 1), 0xFF000000 | Rgb(0, 1));
  EXPECT_TRUE(LogHasLine("ID " + std::to_string(t.ResourceID()) + " のテクスチャに、ストリームから読み込みます"));
}

TEST_F(BmpLoaderTest, AnEightBitPictureIsCopiedIntoAnIndexTexture) {
  Backend.TextureFormats = {fmt::P8};
  TMXTexture t(&Device, {fmt::P8});
  BmpPicture picture = PictureOf(3, 2, 8, [](int x, int y) { return uint32_t(10 * y + x); });
  picture.Palette = std::vector<uint32_t>(32, 0xFFFFFF);
  ASSERT_TRUE(t.LoadFromFile(WriteBmp("p8.bmp", picture)));
  EXPECT_EQ(t.Format(), fmt::P8);
  EXPECT_EQ(t.PixelAt(2, 0), 2u);
  EXPECT_EQ(t.PixelAt(1, 1), 11u);

  EXPECT_FALSE(t.LoadFromFile(WriteBmp("rgb.bmp", PictureOf(2, 2, 24, Rgb))));
  EXPECT_TRUE(LogHasLine("8ビットパレット付きテクスチャに対して16ビット以上のBMPをロードする事は出来ません"
                         "(Error Code = UNKNOWN ERROR ... $00000001)"));
}

// ---- Pictures that cannot be read ----

TEST_F(BmpLoaderTest, AMissingFileIsLoggedWithItsPath) {
  TMXTexture& t = NewTexture();
  t.SetSize(2, 2);
  const std::string path = (Dir.Path() / "none.bmp").string();
  EXPECT_FALSE(t.LoadFromFile(path));
  EXPECT_TRUE(LogHasLine(path + "からの、読み込みエラー(Error Code = UNKNOWN ERROR ... $00000001)"));
  EXPECT_EQ(t.Source(), TMXTexture::TSource::File);
  ExpectOnlyFill(t);
}

TEST_F(BmpLoaderTest, AFileHeaderAloneIsAReadError) {
  TMXTexture& t = NewTexture();
  t.SetSize(2, 2);
  BmpPicture picture = PictureOf(1, 1, 24, Rgb);
  picture.TruncateTo = 14;
  const std::string path = WriteBmp("header.bmp", picture);
  EXPECT_FALSE(t.LoadFromFile(path));
  EXPECT_TRUE(LogHasLine(path + "からの、読み込みエラー(Error Code = UNKNOWN ERROR ... $00000001)"));
  EXPECT_EQ(t.Width(), 2);
  ExpectOnlyFill(t);
}

TEST_F(BmpLoaderTest, AWrongMagicIsNotABmpButStillGivesTheSize) {
  BmpPicture picture = PictureOf(3, 2, 24, Rgb);
  picture.Magic[0] = picture.Magic[1] = 'X';
  TMXTexture& t = NewTexture();
  EXPECT_FALSE(t.LoadFromFile(WriteBmp("xx.bmp", picture)));
  EXPECT_TRUE(LogHasLine("不正なBMPファイルです"));
  EXPECT_EQ(t.Width(), 3);
  EXPECT_EQ(t.Height(), 2);
  ExpectOnlyFill(t);
}

TEST_F(BmpLoaderTest, UnsupportedBitCountsAreRefused) {
  for (int bits : {4, 1, 12, 48}) {
    SCOPED_TRACE(bits);
    Device.Log().ResetRun();
    TMXTexture& t = NewTexture();
    EXPECT_FALSE(t.LoadFromFile(WriteBmp("bits.bmp", PictureOf(4, 2, bits, Rgb))));
    EXPECT_TRUE(LogHasLine("色数が8ビット～32ビットの範囲のビットマップを、LoadBMPには指定してください"
                           "(Error Code = UNKNOWN ERROR ... $00000001)"));
    ExpectOnlyFill(t);
  }
}

TEST_F(BmpLoaderTest, CompressedPicturesAreRefused) {
  BmpPicture picture = PictureOf(4, 2, 8, [](int, int) { return 1u; });
  picture.Compression = 1;  // run-length encoded
  TMXTexture& t = NewTexture();
  EXPECT_FALSE(t.LoadFromFile(WriteBmp("rle.bmp", picture)));
  EXPECT_TRUE(LogHasLine("不正なBMPファイルです"));
  ExpectOnlyFill(t);
}

TEST_F(BmpLoaderTest, ACoreInfoHeaderIsRefused) {
  BmpPicture picture = PictureOf(2, 2, 24, Rgb);
  picture.InfoSize = 12;  // OS/2: 16-bit sizes, other field positions
  TMXTexture& t = NewTexture();
  EXPECT_FALSE(t.LoadFromFile(WriteBmp("os2.bmp", picture)));
  EXPECT_TRUE(LogHasLine("不正なBMPファイルです"));
  ExpectOnlyFill(t);
}

TEST_F(BmpLoaderTest, ATruncatedFileIsRefusedBeforeTheTextureTakesItsSize) {
  // 4 rows of 2 pixels, 8 bytes a row, bottom row first: cut inside the third.
  BmpPicture picture = PictureOf(2, 4, 24, Rgb);
  picture.TruncateTo = 54 + 2 * 8 + 3;
  TMXTexture& t = NewTexture();
  t.SetSize(3, 3);
  const std::string path = WriteBmp("cut.bmp", picture);
  EXPECT_FALSE(t.LoadFromFile(path));
  EXPECT_TRUE(LogHasLine(path + "からの、読み込みエラー(Error Code = UNKNOWN ERROR ... $00000001)"));
  EXPECT_EQ(t.Width(), 3);
  ExpectOnlyFill(t);
}

TEST_F(BmpLoaderTest, ATruncatedPaletteIsARefusedPicture) {
  BmpPicture picture = PictureOf(2, 2, 8, [](int, int) { return 1u; });
  picture.TruncateTo = 54 + 100;
  TMXTexture& t = NewTexture();
  const std::string path = WriteBmp("pal.bmp", picture);
  EXPECT_FALSE(t.LoadFromFile(path));
  EXPECT_TRUE(LogHasLine(path + "からの、読み込みエラー(Error Code = UNKNOWN ERROR ... $00000001)"));
  EXPECT_FALSE(t.HasTexture());
}

TEST_F(BmpLoaderTest, AbsurdSizesAreRefusedBeforeAnythingIsAllocated) {
  TMXTexture& t = NewTexture();
  t.SetSize(2, 2);
  struct Size {
    int W, H, Bits = 24;
  };
  // Beyond 4096 a side, or a header that promises pixels the file does not
  // hold (it ends right after the headers).
  // A bit count of 0 promises no bytes at all.
  for (Size s : {Size{100000, 100000}, Size{0, 5}, Size{-3, 5}, Size{5, 0}, Size{4097, 1}, Size{1, -4097},
                 Size{16384, 4096}, Size{4096, 4096}, Size{2, -3}, Size{int(0x80000000u), 1},
                 Size{1, int(0x80000000u)}, Size{4096, 4096, 0}, Size{64, 1, 0}}) {
    SCOPED_TRACE(std::to_string(s.W) + " x " + std::to_string(s.H) + " x " + std::to_string(s.Bits));
    Device.Log().ResetRun();
    BmpPicture picture;
    picture.Width = s.W;
    picture.Height = s.H;
    picture.BitCount = s.Bits;
    picture.TruncateTo = 54;
    const std::string path = WriteBmp("huge.bmp", picture);
    EXPECT_FALSE(t.LoadFromFile(path));
    EXPECT_TRUE(LogHasLine(path + "からの、読み込みエラー(Error Code = UNKNOWN ERROR ... $00000001)"));
    EXPECT_EQ(t.Width(), 2);
    EXPECT_EQ(t.AllocWidth(), 2);
    ExpectOnlyFill(t);
  }
}

TEST_F(BmpLoaderTest, NoBadPictureHaltsTheGame) {
  static int halts;
  halts = 0;
  Device.SetHaltHandler([] { ++halts; });
  Device.SetDebugOption({true, true, true});

  TMXTexture& t = NewTexture();
  t.SetSize(2, 2);
  BmpPicture header = PictureOf(1, 1, 24, Rgb);
  header.TruncateTo = 14;
  BmpPicture magic = PictureOf(1, 1, 24, Rgb);
  magic.Magic[0] = 'X';
  BmpPicture cut = PictureOf(8, 8, 24, Rgb);
  cut.TruncateTo = 80;
  BmpPicture huge;
  huge.Width = huge.Height = 1 << 20;
  huge.TruncateTo = 54;
  BmpPicture rle = PictureOf(2, 2, 8, [](int, int) { return 0u; });
  rle.Compression = 1;
  EXPECT_FALSE(t.LoadFromFile((Dir.Path() / "missing.bmp").string()));
  EXPECT_FALSE(t.LoadFromFile(WriteBmp("a.bmp", header)));
  EXPECT_FALSE(t.LoadFromFile(WriteBmp("b.bmp", magic)));
  EXPECT_FALSE(t.LoadFromFile(WriteBmp("c.bmp", PictureOf(2, 2, 4, Rgb))));
  EXPECT_FALSE(t.LoadFromFile(WriteBmp("d.bmp", cut)));
  EXPECT_FALSE(t.LoadFromFile(WriteBmp("e.bmp", huge)));
  EXPECT_FALSE(t.LoadFromFile(WriteBmp("f.bmp", rle)));
  EXPECT_FALSE(t.LoadFromFile("entry", "pictures.vaz"));
  std::stringstream empty;
  EXPECT_FALSE(t.LoadFromStream(empty));
  EXPECT_EQ(halts, 0);

  // The handler is live: a real engine failure still halts.
  TMXTexture unsized(&Device, GameTextureFormats());
  int pitch = 0;
  EXPECT_EQ(unsized.LockRect(0, nullptr, 0, pitch), nullptr);
  EXPECT_EQ(halts, 1);

  Device.SetHaltHandler(nullptr);
  Device.SetDebugOption({false, true, true});
}

TEST_F(BmpLoaderTest, ArchiveEntriesWaitForTheArchiveReader) {
  TMXTexture& t = NewTexture();
  EXPECT_FALSE(t.LoadFromFile("12", "data.vaz"));
  EXPECT_EQ(t.Source(), TMXTexture::TSource::Archive);
  EXPECT_TRUE(LogHasLine("ID " + std::to_string(t.ResourceID()) + "() のテクスチャに、VAZファイルdata.vaz から ID 12 を読み込みます"));
  EXPECT_TRUE(LogHasLine("12 ＠ data.vazからの、読み込みエラー(Error Code = UNKNOWN ERROR ... $00000001)"));
}

TEST_F(BmpLoaderTest, AnEmptyStreamIsAStreamReadError) {
  TMXTexture& t = NewTexture();
  std::stringstream empty;
  EXPECT_FALSE(t.LoadFromStream(empty));
  EXPECT_TRUE(LogHasLine("ストリームからの、読み込みエラー(Error Code = UNKNOWN ERROR ... $00000001)"));
  EXPECT_FALSE(t.HasTexture());
}

// ---- Headers ----

TEST(BmpHeader, ThirtyTwoBitHeaderBytesAreInFileOrder) {
  std::stringstream out;
  WriteBmpHeader(out, Bmp32Header(3, 2));
  const std::string b = out.str();
  ASSERT_EQ(b.size(), 54u);
  auto at = [&](size_t i, int n) {
    uint32_t v = 0;
    for (int k = 0; k < n; ++k) v |= uint32_t(uint8_t(b[i + k])) << (8 * k);
    return v;
  };
  EXPECT_EQ(b.substr(0, 2), "BM");
  EXPECT_EQ(at(2, 4), 3u * 2 * 4 + 54);
  EXPECT_EQ(at(6, 4), 0u);
  EXPECT_EQ(at(10, 4), 54u);
  EXPECT_EQ(at(14, 4), 40u);
  EXPECT_EQ(at(18, 4), 3u);
  EXPECT_EQ(at(22, 4), 2u);
  EXPECT_EQ(at(26, 2), 1u);
  EXPECT_EQ(at(28, 2), 32u);
  EXPECT_EQ(at(30, 4), 0u);
  EXPECT_EQ(at(34, 4), 24u);
  for (size_t i = 38; i < 54; ++i) EXPECT_EQ(b[i], 0) << i;

  BmpHeader back;
  ASSERT_TRUE(ReadBmpFileHeader(out, back));
  ASSERT_TRUE(ReadBmpInfoHeader(out, back));
  EXPECT_EQ(back.Width, 3);
  EXPECT_EQ(back.Height, 2);
  EXPECT_EQ(back.BitCount, 32);
  EXPECT_FALSE(ReadBmpFileHeader(out, back));
}

TEST(BmpHeader, RowsArePaddedToFourBytes) {
  BmpHeader h;
  h.BitCount = 24;
  for (auto [width, bytes] : {std::pair{1, 4u}, {2, 8u}, {3, 12u}, {4, 12u}, {5, 16u}}) {
    h.Width = width;
    EXPECT_EQ(h.RowBytes(), bytes) << width;
  }
  h.BitCount = 8;
  h.Width = 5;
  EXPECT_EQ(h.RowBytes(), 8u);
}

}  // namespace
}  // namespace vuzed
