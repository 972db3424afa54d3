#include "engine/platform/screenshot.h"

#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>

#include "support/test_dir.h"

namespace vuzed {
namespace {

uint32_t Le32(const std::string& s, size_t at) {
  return uint32_t(uint8_t(s[at])) | uint32_t(uint8_t(s[at + 1])) << 8 |
         uint32_t(uint8_t(s[at + 2])) << 16 | uint32_t(uint8_t(s[at + 3])) << 24;
}
uint16_t Le16(const std::string& s, size_t at) {
  return uint16_t(uint8_t(s[at]) | uint8_t(s[at + 1]) << 8);
}

// A 3 x 2 picture whose every byte is distinct: rows are told apart, and
// channels swapped or rows flipped show up.
std::vector<uint8_t> SmallPicture() {
  std::vector<uint8_t> rgb(3 * 2 * 3);
  for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = uint8_t(10 + i * 13);
  return rgb;
}

TEST(Screenshot, BmpHasHeadersBottomUpRowsAndPadding) {
  test::TempDir dir;
  std::string path = (dir.Path() / "shot.bmp").string();
  std::vector<uint8_t> rgb = SmallPicture();
  std::string error;
  ASSERT_TRUE(WriteScreenshot(path, rgb, 3, 2, error)) << error;
  std::string f = dir.Read("shot.bmp");
  // Each row: 9 bytes of pixels + 3 of padding.
  ASSERT_EQ(f.size(), 54u + 12u * 2u);
  EXPECT_EQ(f.substr(0, 2), "BM");
  EXPECT_EQ(Le32(f, 2), f.size());
  EXPECT_EQ(Le32(f, 10), 54u);
  EXPECT_EQ(Le32(f, 14), 40u);
  EXPECT_EQ(Le32(f, 18), 3u);
  EXPECT_EQ(Le32(f, 22), 2u);
  EXPECT_EQ(Le16(f, 26), 1);
  EXPECT_EQ(Le16(f, 28), 24);
  EXPECT_EQ(Le32(f, 30), 0u);
  EXPECT_EQ(Le32(f, 34), 24u);
  for (int fileRow = 0; fileRow < 2; ++fileRow) {
    int imageRow = 1 - fileRow;  // bottom row first
    for (int x = 0; x < 3; ++x) {
      size_t at = 54 + size_t(fileRow) * 12 + size_t(x) * 3;
      const uint8_t* px = &rgb[(size_t(imageRow) * 3 + size_t(x)) * 3];
      EXPECT_EQ(uint8_t(f[at]), px[2]) << "blue of " << x << "," << imageRow;
      EXPECT_EQ(uint8_t(f[at + 1]), px[1]);
      EXPECT_EQ(uint8_t(f[at + 2]), px[0]);
    }
    for (int pad = 9; pad < 12; ++pad) EXPECT_EQ(f[54 + size_t(fileRow) * 12 + size_t(pad)], 0);
  }
}

TEST(Screenshot, BmpRowsOfWholeWordsHaveNoPadding) {
  std::vector<uint8_t> rgb(4 * 1 * 3, 7);
  std::vector<uint8_t> bmp = EncodeBmp24(rgb, 4, 1);
  EXPECT_EQ(bmp.size(), 54u + 12u);
}

TEST(Screenshot, PngReadsBackTheSamePixels) {
  test::TempDir dir;
  std::string path = (dir.Path() / "shot.PNG").string();
  std::vector<uint8_t> rgb = SmallPicture();
  std::string error;
  ASSERT_TRUE(WriteScreenshot(path, rgb, 3, 2, error)) << error;

  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str())) << image.message;
  EXPECT_EQ(image.width, 3u);
  EXPECT_EQ(image.height, 2u);
  image.format = PNG_FORMAT_RGB;
  std::vector<uint8_t> back(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, back.data(), 0, nullptr)) << image.message;
  EXPECT_EQ(back, rgb);
}

TEST(Screenshot, OtherExtensionsAreRefused) {
  test::TempDir dir;
  std::vector<uint8_t> rgb = SmallPicture();
  std::string error;
  EXPECT_FALSE(WriteScreenshot((dir.Path() / "shot.jpg").string(), rgb, 3, 2, error));
  EXPECT_NE(error.find("shot.jpg"), std::string::npos);
  EXPECT_FALSE(WriteScreenshot((dir.Path() / "shot").string(), rgb, 3, 2, error));
  EXPECT_FALSE(WriteScreenshot((dir.Path() / "a.png" / "shot").string(), rgb, 3, 2, error));
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "shot.jpg"));
}

TEST(Screenshot, MismatchedSizesAreRefused) {
  test::TempDir dir;
  std::vector<uint8_t> rgb = SmallPicture();
  std::string error;
  std::string path = (dir.Path() / "shot.bmp").string();
  EXPECT_FALSE(WriteScreenshot(path, rgb, 4, 2, error));
  EXPECT_FALSE(WriteScreenshot(path, rgb, 0, 0, error));
  EXPECT_FALSE(WriteScreenshot(path, rgb, -3, -2, error));
  EXPECT_FALSE(WriteScreenshot(path, {}, 3, 2, error));
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(Screenshot, UnwritablePathsReportAnError) {
  test::TempDir dir;
  std::vector<uint8_t> rgb = SmallPicture();
  std::string error;
  EXPECT_FALSE(WriteScreenshot((dir.Path() / "missing" / "shot.bmp").string(), rgb, 3, 2, error));
  EXPECT_FALSE(error.empty());
  error.clear();
  EXPECT_FALSE(WriteScreenshot((dir.Path() / "missing" / "shot.png").string(), rgb, 3, 2, error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace vuzed
