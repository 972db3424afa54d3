#include "engine/graphics/texture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "engine/graphics/d3d_names.h"
#include "support/archive_writer.h"
#include "support/texture_fixture.h"

namespace vuzed {
namespace {

using test::BmpPicture;
using test::PictureOf;

uint32_t Rgb(int x, int y) { return uint32_t(0x200000 * (x + 1) + 0x400 * (y + 3) + 5 * x + 9 * y + 1); }

class TextureTest : public test::TextureFixture {
 protected:
  // Every allocated pixel, row by row.
  static std::vector<uint32_t> Snapshot(const TMXTexture& t) {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < t.AllocHeight(); ++y)
      for (int x = 0; x < t.AllocWidth(); ++x) pixels.push_back(t.PixelAt(x, y));
    return pixels;
  }
  bool Forgotten(const TMXTexture& t) const {
    return std::count(Backend.Forgotten.begin(), Backend.Forgotten.end(), t.Image()->Id) > 0;
  }
  void ChangeMode() { Device.ChangeToWindowMode(640, 480, {}); }
};

// ---- Size and format ----

TEST_F(TextureTest, SetSizeOnADeviceWithoutLimitsKeepsTheSize) {
  TMXTexture t(&Device, GameTextureFormats());
  EXPECT_EQ(t.Image(), nullptr);
  EXPECT_EQ(t.Source(), TMXTexture::TSource::None);
  t.SetSize(100, 60);
  EXPECT_EQ(t.AllocWidth(), 100);
  EXPECT_EQ(t.AllocHeight(), 60);
  EXPECT_FLOAT_EQ(t.MaxU(), 1.0f);
  EXPECT_FLOAT_EQ(t.MaxV(), 1.0f);
  EXPECT_EQ(t.Format(), fmt::A8R8G8B8);
  EXPECT_EQ(t.BytesPerPixel(), 4);
  EXPECT_EQ(t.Source(), TMXTexture::TSource::Memory);
  const TextureImage* image = t.Image();
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->Width, 100);
  EXPECT_EQ(image->Height, 60);
  EXPECT_EQ(image->Pitch, 400);
  EXPECT_EQ(image->Format, fmt::A8R8G8B8);
  EXPECT_NE(image->Pixels, nullptr);
  EXPECT_TRUE(LogHasLine("使用されるフォーマットは A8R8G8B8 です"));
  EXPECT_TRUE(LogHasLine("残りテクスチャ容量は、約256.00メガです"));
}

TEST_F(TextureTest, APowerOfTwoDevicePadsAndTheFillStaysOutsideThePicture) {
  Backend.Caps.TexturePow2 = true;
  TMXTexture t(&Device, GameTextureFormats());
  t.SetFillColor(0xFFFFFF);
  ASSERT_TRUE(t.LoadFromFile(WriteBmp("p.bmp", PictureOf(100, 60, 24, Rgb))));
  EXPECT_EQ(t.Width(), 100);
  EXPECT_EQ(t.Height(), 60);
  EXPECT_EQ(t.AllocWidth(), 128);
  EXPECT_EQ(t.AllocHeight(), 64);
  EXPECT_FLOAT_EQ(t.MaxU(), 0.78125f);
  EXPECT_FLOAT_EQ(t.MaxV(), 0.9375f);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 128; ++x)
      ASSERT_EQ(ColorAt(t, x, y), x < 100 && y < 60 ? 0xFF000000 | Rgb(x, y) : 0x00FFFFFFu) << x << "," << y;
}

TEST_F(TextureTest, ASquareOnlyDeviceSquaresFirstThenRoundsToPowersOfTwo) {
  Backend.Caps.SquareOnly = true;
  TMXTexture t(&Device, GameTextureFormats());
  t.SetSize(100, 60);
  EXPECT_EQ(t.AllocWidth(), 100);
  EXPECT_EQ(t.AllocHeight(), 100);
  EXPECT_FLOAT_EQ(t.MaxV(), 0.6f);
  Backend.Caps.TexturePow2 = true;
  t.SetSize(100, 60);
  EXPECT_EQ(t.AllocWidth(), 128);
  EXPECT_EQ(t.AllocHeight(), 128);
  EXPECT_FLOAT_EQ(t.MaxU(), 0.78125f);
  EXPECT_FLOAT_EQ(t.MaxV(), 0.46875f);
  EXPECT_TRUE(LogHasLine("テクスチャの再生成に伴い、以前のテクスチャを解放します"));
}

TEST_F(TextureTest, TheFirstCandidateTheDeviceTakesIsUsedElseTheBackBufferFormat) {
  Backend.TextureFormats = {fmt::A1R5G5B5, fmt::A4R4G4B4};
  TMXTexture t(&Device, GameTextureFormats());
  t.SetSize(3, 2);
  EXPECT_EQ(t.Format(), fmt::A4R4G4B4);
  EXPECT_EQ(t.BytesPerPixel(), 2);
  EXPECT_EQ(t.Image()->Pitch, 8);  // 6 bytes rounded up to 4

  Backend.TextureFormats = {};
  t.SetSize(3, 2);
  EXPECT_EQ(t.Format(), fmt::X8R8G8B8);
  EXPECT_TRUE(LogHasLine("使用されるフォーマットは X8R8G8B8 です"));
}

TEST_F(TextureTest, AnImpossibleSizeCreatesNothing) {
  TMXTexture t(&Device, GameTextureFormats());
  t.SetSize(0, 10);
  EXPECT_FALSE(t.HasTexture());
  EXPECT_EQ(t.Image(), nullptr);
  EXPECT_TRUE(LogHasLine("テクスチャの生成に失敗しました(Error Code = D3DERR_INVALIDCALL )"));
}

// A texture without a device loads and fails alike, and its failures go to
// no log: not even to a device that exists beside it, which halts on error.
TEST_F(TextureTest, ATextureWithoutADeviceWorksAndLogsNothing) {
  static int halts;
  halts = 0;
  Device.SetHaltHandler([] { ++halts; });
  Device.SetDebugOption({true, true, true});
  const int lines = Device.Log().LineCount();
  TMXTexture t(nullptr, GameTextureFormats());
  EXPECT_TRUE(t.LoadFromFile(WriteBmp("a.bmp", PictureOf(2, 2, 24, [](int, int) { return 0x123456u; }))));
  EXPECT_EQ(ColorAt(t, 1, 1), 0xFF123456u);
  EXPECT_FALSE(t.LoadFromFile((Dir.Path() / "missing.bmp").string()));
  int pitch = 0;
  ASSERT_NE(t.LockRect(0, nullptr, 0, pitch), nullptr);
  EXPECT_EQ(t.LockRect(0, nullptr, 0, pitch), nullptr);
  t.UnlockRect();
  t.UnlockRect();
  EXPECT_EQ(Device.Log().LineCount(), lines);
  EXPECT_EQ(halts, 0);
  Device.SetHaltHandler(nullptr);
  Device.SetDebugOption({false, true, true});
}

// ---- Locking ----

TEST_F(TextureTest, LockingBeforeAnySizeLogsAndLocksNothing) {
  TMXTexture t(&Device, GameTextureFormats());
  int pitch = -1;
  EXPECT_EQ(t.LockRect(0, nullptr, 0, pitch), nullptr);
  EXPECT_EQ(pitch, 0);
  EXPECT_TRUE(LogHasLine("テクスチャが確保されていません。LockRectの前にSetSizeするか、BMPを読み込んでください"
                         "(Error Code = UNKNOWN ERROR ... $00000001)"));
}

TEST_F(TextureTest, ALockStartsAtTheRectanglesFirstPixel) {
  TMXTexture t(&Device, GameTextureFormats());
  t.SetSize(4, 3);
  int pitch = 0;
  TRect r{1, 2, 3, 3};
  uint8_t* bits = t.LockRect(0, &r, 0, pitch);
  ASSERT_NE(bits, nullptr);
  EXPECT_EQ(pitch, 16);
  WritePixel(bits + 4, 4, 0xCAFEBABE);
  t.UnlockRect();
  EXPECT_EQ(t.PixelAt(2, 2), 0xCAFEBABEu);
}

TEST_F(TextureTest, OnlyLevelZeroInsideTheTextureLocksOnce) {
  TMXTexture t(&Device, GameTextureFormats());
  t.SetSize(4, 4);
  int pitch = 0;
  EXPECT_EQ(t.LockRect(1, nullptr, 0, pitch), nullptr);
  EXPECT_TRUE(LogHasLine("LockRectに失敗しました(Error Code = D3DERR_INVALIDCALL )"));
  TRect outside{2, 2, 5, 3};
  EXPECT_EQ(t.LockRect(0, &outside, 0, pitch), nullptr);
  ASSERT_NE(t.LockRect(0, nullptr, 0, pitch), nullptr);
  EXPECT_EQ(t.LockRect(0, nullptr, 0, pitch), nullptr);
  t.UnlockRect();
  t.UnlockRect();
  EXPECT_TRUE(LogHasLine("アンロックに失敗しました(Error Code = D3DERR_INVALIDCALL )"));
}

TEST_F(TextureTest, EveryWriteGivesTheBackendANewVersion) {
  TMXTexture a(&Device, GameTextureFormats());
  TMXTexture b(&Device, GameTextureFormats());
  a.SetSize(2, 2);
  b.SetSize(2, 2);
  EXPECT_NE(a.Image()->Id, 0u);
  EXPECT_NE(a.Image()->Id, b.Image()->Id);

  uint64_t version = a.Image()->Version;
  int pitch = 0;
  a.LockRect(0, nullptr, d3d::LOCK_READONLY, pitch);
  a.UnlockRect();
  EXPECT_EQ(a.Image()->Version, version);
  a.LockRect(0, nullptr, 0, pitch);
  a.UnlockRect();
  EXPECT_GT(a.Image()->Version, version);
  version = a.Image()->Version;
  a.FillRect({0, 0, 2, 2}, 0, false);
  EXPECT_GT(a.Image()->Version, version);
  version = a.Image()->Version;
  a.SetColorKey({0, 0, 2, 2}, 0);
  EXPECT_GT(a.Image()->Version, version);
  version = a.Image()->Version;
  a.SetSize(2, 2);
  EXPECT_GT(a.Image()->Version, version);
}

TEST_F(TextureTest, AWritingLockMakesTheContentMemoryAReadingOneDoesNot) {
  TMXTexture t(&Device, GameTextureFormats());
  ASSERT_TRUE(t.LoadFromFile(WriteBmp("s.bmp", PictureOf(2, 2, 24, Rgb))));
  EXPECT_EQ(t.Source(), TMXTexture::TSource::File);
  int pitch = 0;
  t.LockRect(0, nullptr, d3d::LOCK_READONLY, pitch);
  t.UnlockRect();
  EXPECT_EQ(t.Source(), TMXTexture::TSource::File);
  t.SetColorKey({0, 0, 2, 2}, 0);
  EXPECT_EQ(t.Source(), TMXTexture::TSource::Memory);
}

// ---- Filling and keying ----

TEST_F(TextureTest, FillRectReplacesOrKeepsAlphaInsideTheRectangleOnly) {
  TMXTexture t(&Device, GameTextureFormats());
  auto argb = [](int x, int y) { return uint32_t(0x10 + 0x20 * x + 0x40 * y) << 24 | Rgb(x, y); };
  ASSERT_TRUE(t.LoadFromFile(WriteBmp("a.bmp", PictureOf(3, 3, 32, argb))));
  t.FillRect({1, 1, 10, 10}, 0x80112233, true);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x)
      EXPECT_EQ(ColorAt(t, x, y), x >= 1 && y >= 1 ? (argb(x, y) & 0xFF000000) | 0x112233 : argb(x, y));
  t.FillRect({-5, -5, 2, 1}, 0x80445566, false);
  EXPECT_EQ(ColorAt(t, 0, 0), 0x80445566u);
  EXPECT_EQ(ColorAt(t, 1, 0), 0x80445566u);
  EXPECT_EQ(ColorAt(t, 2, 0), argb(2, 0));
  EXPECT_EQ(ColorAt(t, 0, 1), argb(0, 1));
}

TEST_F(TextureTest, AThirtyTwoBitPictureKeepsItsAlphaUntilKeyed) {
  TMXTexture t(&Device, GameTextureFormats());
  auto argb = [](int x, int y) { return uint32_t(0x30 * (x + 2 * y)) << 24 | (x == 1 ? 0xFF00FF : Rgb(x, y)); };
  ASSERT_TRUE(t.LoadFromFile(WriteBmp("a.bmp", PictureOf(3, 2, 32, argb))));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(ColorAt(t, x, y), argb(x, y));
  t.SetColorKey({0, 0, t.Width(), t.Height()}, MakeColor(255, 255, 0, 255));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) {
      const uint32_t alpha = ColorAt(t, x, y) >> 24;
      EXPECT_EQ(alpha, x == 1 ? 0u : 255u) << x << "," << y;
      EXPECT_EQ(ColorAt(t, x, y) & 0xFFFFFF, argb(x, y) & 0xFFFFFF);
    }
}

TEST_F(TextureTest, KeyingWithBlackClearsExactlyTheBlackPixels) {
  TMXTexture t(&Device, GameTextureFormats());
  const uint32_t colours[] = {0x000000, 0x010000, 0x000001, 0x000000};
  ASSERT_TRUE(t.LoadFromFile(WriteBmp("k.bmp", PictureOf(4, 1, 24, [&](int x, int) { return colours[x]; }))));
  t.SetColorKey({0, 0, 3, 1}, MakeColor(255, 0, 0, 0));
  EXPECT_EQ(ColorAt(t, 0, 0), 0x00000000u);
  EXPECT_EQ(ColorAt(t, 1, 0), 0xFF010000u);
  EXPECT_EQ(ColorAt(t, 2, 0), 0xFF000001u);
  EXPECT_EQ(ColorAt(t, 3, 0), 0xFF000000u);  // outside the rectangle
}

TEST_F(TextureTest, TheKeyIsTheColourAsTheTextureCanHoldIt) {
  Backend.TextureFormats = {fmt::A4R4G4B4};
  TMXTexture t(&Device, GameTextureFormats());
  // (250, 5, 250) is stored as magenta, and so is a key of that colour;
  // (240, 16, 240) keeps a green nibble.
  const uint32_t colours[] = {0xFA05FA, 0xF010F0, 0xFF00FF};
  ASSERT_TRUE(t.LoadFromFile(WriteBmp("k.bmp", PictureOf(3, 1, 24, [&](int x, int) { return colours[x]; }))));
  ASSERT_EQ(t.Format(), fmt::A4R4G4B4);
  t.SetColorKey({0, 0, 3, 1}, MakeColor(255, 250, 5, 250));
  EXPECT_EQ(t.PixelAt(0, 0), 0x0F0Fu);
  EXPECT_EQ(t.PixelAt(1, 0), 0xFF1Fu);
  EXPECT_EQ(t.PixelAt(2, 0), 0x0F0Fu);
}

TEST_F(TextureTest, ForEachPixelVisitsRowsFromTheTopLeftToRight) {
  TMXTexture t(&Device, GameTextureFormats());
  t.SetSize(4, 4);
  std::vector<std::pair<int, int>> visits;
  int marker = 0;
  t.ForEachPixel(
      {1, 1, 3, 3},
      [&](TMXTexture& self, uint32_t pixel, int x, void* data, int y) {
        EXPECT_EQ(&self, &t);
        EXPECT_EQ(data, &marker);
        EXPECT_EQ(pixel, 0u);
        visits.emplace_back(x, y);
        return uint32_t(x + 10 * y);
      },
      &marker);
  EXPECT_EQ(visits, (std::vector<std::pair<int, int>>{{1, 1}, {2, 1}, {1, 2}, {2, 2}}));
  EXPECT_EQ(t.PixelAt(2, 1), 12u);
  EXPECT_EQ(t.PixelAt(1, 2), 21u);
  EXPECT_EQ(t.PixelAt(0, 0), 0u);
  EXPECT_EQ(t.PixelAt(3, 3), 0u);
}

// ---- Saving ----

TEST_F(TextureTest, ASavedTextureLoadsBackIdentically) {
  for (D3DFORMAT format : {fmt::A8R8G8B8, fmt::A4R4G4B4, fmt::A1R5G5B5}) {
    SCOPED_TRACE(FormatName(format));
    Backend.TextureFormats = {format};
    TMXTexture t(&Device, GameTextureFormats());
    auto argb = [](int x, int y) { return uint32_t(0x25 * (x + y)) << 24 | Rgb(x, y); };
    ASSERT_TRUE(t.LoadFromFile(WriteBmp("a.bmp", PictureOf(5, 3, 32, argb))));
    t.SetColorKey({0, 0, 2, 2}, Rgb(1, 1));
    std::stringstream saved;
    t.SaveToStream(saved);
    EXPECT_EQ(t.Source(), TMXTexture::TSource::Memory);
    EXPECT_EQ(saved.str().size(), 54u + 5 * 3 * 4);

    TMXTexture back(&Device, GameTextureFormats());
    ASSERT_TRUE(back.LoadFromStream(saved));
    EXPECT_EQ(back.Width(), 5);
    EXPECT_EQ(back.Height(), 3);
    EXPECT_EQ(Snapshot(back), Snapshot(t));
  }
}

TEST_F(TextureTest, SavedRowsRunFromTheBottomAsArgb) {
  TMXTexture t(&Device, GameTextureFormats());
  t.SetSize(2, 2);
  t.FillRect({0, 0, 2, 1}, 0x11223344, false);
  t.FillRect({0, 1, 2, 2}, 0x55667788, false);
  std::stringstream saved;
  t.SaveToStream(saved);
  const std::string bytes = saved.str();
  ASSERT_EQ(bytes.size(), 54u + 16);
  EXPECT_EQ(ReadPixel(reinterpret_cast<const uint8_t*>(bytes.data()) + 54, 4), 0x55667788u);
  EXPECT_EQ(ReadPixel(reinterpret_cast<const uint8_t*>(bytes.data()) + 62, 4), 0x11223344u);
}

// ---- Around mode changes and resets ----

TEST_F(TextureTest, AKeyedTextureLooksTheSameAfterAModeChange) {
  Backend.Caps.TexturePow2 = true;
  TMXTexture t(&Device, GameTextureFormats());
  ASSERT_TRUE(t.LoadFromFile(WriteBmp("k.bmp", PictureOf(5, 3, 24, Rgb))));
  t.SetColorKey({0, 0, t.Width(), t.Height()}, 0xFF000000 | Rgb(2, 1));
  const std::vector<uint32_t> before = Snapshot(t);
  const uint64_t version = t.Image()->Version;

  ChangeMode();
  EXPECT_TRUE(Forgotten(t));
  ASSERT_TRUE(t.HasTexture());
  EXPECT_EQ(t.AllocWidth(), 8);
  EXPECT_EQ(t.AllocHeight(), 4);
  EXPECT_EQ(Snapshot(t), before);
  EXPECT_EQ(t.Source(), TMXTexture::TSource::Memory);
  EXPECT_GT(t.Image()->Version, version);

  ChangeMode();
  EXPECT_EQ(Snapshot(t), before);
}

TEST_F(TextureTest, AFileTextureReloadsItsFileAfterAModeChange) {
  TMXTexture t(&Device, GameTextureFormats());
  const std::string path = WriteBmp("f.bmp", PictureOf(2, 2, 24, Rgb));
  ASSERT_TRUE(t.LoadFromFile(path));
  WriteBmp("f.bmp", PictureOf(3, 1, 24, [](int, int) { return 0x0000FFu; }));
  ChangeMode();
  EXPECT_EQ(t.Source(), TMXTexture::TSource::File);
  EXPECT_EQ(t.Width(), 3);
  EXPECT_EQ(t.Height(), 1);
  EXPECT_EQ(ColorAt(t, 2, 0), 0xFF0000FFu);
}

TEST_F(TextureTest, AFileThatVanishedComesBackAsItsFill) {
  TMXTexture t(&Device, GameTextureFormats());
  t.SetFillColor(0xFF00FF00);
  const std::string path = WriteBmp("gone.bmp", PictureOf(2, 3, 24, Rgb));
  ASSERT_TRUE(t.LoadFromFile(path));
  std::filesystem::remove(path);
  ChangeMode();
  EXPECT_TRUE(LogHasLine(path + "からの、読み込みエラー(Error Code = UNKNOWN ERROR ... $00000001)"));
  ASSERT_TRUE(t.HasTexture());
  EXPECT_EQ(t.Width(), 2);
  EXPECT_EQ(t.Height(), 3);
  EXPECT_EQ(ColorAt(t, 1, 2), 0xFF00FF00u);
  EXPECT_EQ(t.Source(), TMXTexture::TSource::File);
}

TEST_F(TextureTest, ATextureNeverSizedStaysEmptyThroughAModeChange) {
  TMXTexture t(&Device, GameTextureFormats());
  const int lines = Device.Log().LineCount();
  ChangeMode();
  EXPECT_GT(Device.Log().LineCount(), lines);
  EXPECT_FALSE(t.HasTexture());
  EXPECT_EQ(Log().find("Error Code"), std::string::npos);
}

TEST_F(TextureTest, ADefaultPoolTextureComesBackBlankAfterAReset) {
  TMXTexture managed(&Device, GameTextureFormats());
  TMXTexture dynamic(&Device, GameTextureFormats(), 0, d3d::POOL_DEFAULT);
  managed.SetSize(2, 2);
  dynamic.SetFillColor(0xFFFFFFFF);
  dynamic.SetSize(2, 2);
  EXPECT_EQ(dynamic.PixelAt(0, 0), 0u);  // only managed textures start filled
  managed.FillRect({0, 0, 2, 2}, 0xFF123456, false);
  dynamic.FillRect({0, 0, 2, 2}, 0xFF123456, false);
  const uint64_t managedVersion = managed.Image()->Version;

  Device.ResetDevice();
  EXPECT_EQ(managed.Image()->Version, managedVersion);
  EXPECT_EQ(ColorAt(managed, 1, 1), 0xFF123456u);
  ASSERT_TRUE(dynamic.HasTexture());
  EXPECT_TRUE(Forgotten(dynamic));
  EXPECT_EQ(dynamic.PixelAt(1, 1), 0u);

  dynamic.FillRect({0, 0, 2, 2}, 0xFF123456, false);
  ChangeMode();
  EXPECT_EQ(dynamic.PixelAt(1, 1), 0u);
  EXPECT_EQ(ColorAt(managed, 1, 1), 0xFF123456u);
}

TEST_F(TextureTest, DestructionForgetsTheImageAndUnregisters) {
  const size_t resources = Device.ResourceCount();
  uint32_t id = 0;
  {
    TMXTexture t(&Device, GameTextureFormats());
    EXPECT_EQ(Device.ResourceCount(), resources + 1);
    t.SetSize(2, 2);
    id = t.Image()->Id;
  }
  EXPECT_EQ(Device.ResourceCount(), resources);
  EXPECT_EQ(Backend.Forgotten.back(), id);
  EXPECT_TRUE(LogHasLine("テクスチャオブジェクトを解放します"));
}

TEST_F(TextureTest, ATextureMayOutliveItsDevice) {
  NullRenderBackend backend;
  NullWindowHost window;
  auto device = std::make_unique<TDovivez>(backend, window);
  device->SetDebugOption({false, true, true});
  device->Loaded();
  TMXTexture t(device.get(), GameTextureFormats());
  t.SetSize(2, 2);
  t.FillRect({0, 0, 1, 1}, 0xFF0000FF, false);
  device.reset();
  EXPECT_EQ(t.Device(), nullptr);
  EXPECT_FALSE(t.HasTexture());
  EXPECT_EQ(backend.Forgotten.size(), 1u);
}

TEST_F(TextureTest, LoadingAFileIsNarratedWithTheTexturesId) {
  TMXTexture t(&Device, GameTextureFormats(), 0, d3d::POOL_MANAGED, 0, "title");
  const std::string path = WriteBmp("n.bmp", PictureOf(1, 1, 24, Rgb));
  ASSERT_TRUE(t.LoadFromFile(path));
  EXPECT_TRUE(LogHasLine("ID " + std::to_string(t.ResourceID()) + "(title) のテクスチャに、" + path + " を読み込みます"));
  EXPECT_TRUE(LogHasLine("Dovivezリソース(TMXTexture)を登録します ID は " + std::to_string(t.ResourceID()) +
                         "(title) です"));
}

// ---- Archive entries ----

TEST_F(TextureTest, AnArchiveEntryLoadsAndIsExtractedAgainAfterAModeChange) {
  TMXTexture t(&Device, GameTextureFormats(), 0, d3d::POOL_MANAGED, 0, "vaz");
  t.SetFillColor(0xFF00FF00);
  const std::string archive =
      Dir.Write("p.vaz", test::PackedArchive({{"other.bmp", "x"}, {"Pic.bmp", MakeBmp(PictureOf(3, 2, 24, Rgb))}}))
          .string();
  ASSERT_TRUE(t.LoadFromFile("PIC.BMP", archive));
  EXPECT_TRUE(LogHasLine("ID " + std::to_string(t.ResourceID()) + "(vaz) のテクスチャに、VAZファイル" + archive +
                         " から ID PIC.BMP を読み込みます"));
  EXPECT_EQ(t.Source(), TMXTexture::TSource::Archive);
  EXPECT_EQ(t.Width(), 3);
  EXPECT_EQ(t.Height(), 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(ColorAt(t, x, y), 0xFF000000 | Rgb(x, y)) << x << "," << y;

  // The rebuild reads the entry again, from the archive as it is now.
  Dir.Write("p.vaz", test::PlainArchive({{"pic.bmp", MakeBmp(PictureOf(1, 1, 24, [](int, int) { return 0xFFu; }))}}));
  ChangeMode();
  EXPECT_EQ(t.Source(), TMXTexture::TSource::Archive);
  EXPECT_EQ(t.Width(), 1);
  EXPECT_EQ(ColorAt(t, 0, 0), 0xFF0000FFu);

  std::filesystem::remove(archive);
  ChangeMode();
  EXPECT_TRUE(LogHasLine("PIC.BMP ＠ " + archive + "からの、読み込みエラー(Error Code = UNKNOWN ERROR ... $00000001)"));
  ASSERT_TRUE(t.HasTexture());
  EXPECT_EQ(ColorAt(t, 0, 0), 0xFF00FF00u);
}

TEST_F(TextureTest, AMissingOrBrokenEntryLogsAndKeepsTheFill) {
  const std::string archive = Dir.Write("m.vaz", test::PlainArchive({{"a.bmp", "BMnot really"}})).string();
  const std::string broken = Dir.Write("b.vaz", "VAZ?").string();
  const struct {
    std::string Id, Archive;
  } rows[] = {{"gone.bmp", archive}, {"A.BMP", archive}, {"a.bmp", broken}, {"a.bmp", archive + ".missing"}};
  for (const auto& row : rows) {
    TMXTexture t(&Device, GameTextureFormats());
    t.SetFillColor(0xFF102030);
    t.SetSize(2, 2);
    EXPECT_FALSE(t.LoadFromFile(row.Id, row.Archive));
    EXPECT_TRUE(
        LogHasLine(row.Id + " ＠ " + row.Archive + "からの、読み込みエラー(Error Code = UNKNOWN ERROR ... $00000001)"))
        << row.Archive;
    EXPECT_EQ(t.Source(), TMXTexture::TSource::Archive);
    EXPECT_EQ(ColorAt(t, 1, 1), 0xFF102030u);
  }
}

}  // namespace
}  // namespace vuzed
