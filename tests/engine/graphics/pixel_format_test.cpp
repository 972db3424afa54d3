#include "engine/graphics/pixel_format.h"

#include <gtest/gtest.h>

#include "engine/graphics/d3d_names.h"

namespace vuzed {
namespace {

// Channels whose bits differ from each other in every nibble:
// A 1100 0011, R 1010 0101, G 0101 1010, B 0011 1100.
constexpr uint32_t A = 0xC3, R = 0xA5, G = 0x5A, B = 0x3C;
constexpr uint32_t Sample = A << 24 | R << 16 | G << 8 | B;

struct FormatCase {
  D3DFORMAT Format;
  uint32_t Pixel;  // ChannelsToPixel(A, R, G, B)
  uint32_t Color;  // PixelToColor of that pixel
};

// Every format the packing knows, and some it does not.
constexpr FormatCase kCases[] = {
    {fmt::R8G8B8, 0xA55A3C, 0xFFA55A3C},
    {fmt::X8R8G8B8, 0xA55A3C, 0xFFA55A3C},
    {fmt::X8L8V8U8, 0xA55A3C, 0x00A55A3C},
    {fmt::A8R8G8B8, 0xC3A55A3C, 0xC3A55A3C},
    {fmt::Q8W8V8U8, 0xC3A55A3C, 0xC3A55A3C},
    // R 10100, G 010110, B 00111; read back 164, 89, 57.
    {fmt::R5G6B5, 0xA2C7, 0xFFA45939},
    // R 10100, G 01011, B 00111; read back 164, 90, 57.
    {fmt::X1R5G5B5, 0x5167, 0xFFA45A39},
    {fmt::A1R5G5B5, 0xD167, 0xFFA45A39},
    {fmt::A4R4G4B4, 0xCA53, 0xCCAA5533},
    // R 101, G 010, B 00; read back 182, 72, 0.
    {fmt::R3G3B2, 0xA8, 0xFFB64800},
    {fmt::A8, 0xC3, 0xC3000000},
    {fmt::A8R3G3B2, 0xC3A8, 0xC3B64800},
    {fmt::X4R4G4B4, 0x0A53, 0xFFAA5533},
    {fmt::L8, 0xA5, 0x00A50000},
    {fmt::A8L8, 0xC3A5, 0xC3A50000},
    {fmt::A4L4, 0xCA, 0xCCAA0000},
    {fmt::V8U8, 0x5A3C, 0x00005A3C},
    // R 101001, G 01011, B 00111, each read back shifted, alpha 0.
    {fmt::L6V5U5, 0xA567, 0x00A45838},
    {fmt::V16U16, 0x5A003C00, 0x005A3C00},
    {fmt::P8, 0, 0},
    {fmt::A8P8, 0, 0},
    {fmt::D16, 0, 0},
    {fmt::DXT1, 0, 0},
    {fmt::UNKNOWN, 0, 0},
};

TEST(PixelFormat, ChannelsLandOnTheirBitPositionsInEveryFormat) {
  for (const FormatCase& c : kCases) {
    SCOPED_TRACE(FormatName(c.Format));
    EXPECT_EQ(ChannelsToPixel(A, R, G, B, c.Format), c.Pixel);
    EXPECT_EQ(ColorToPixel(Sample, c.Format), c.Pixel);
  }
}

TEST(PixelFormat, PixelsReadBackWidenedFromTheSamePositions) {
  for (const FormatCase& c : kCases) {
    SCOPED_TRACE(FormatName(c.Format));
    EXPECT_EQ(PixelToColor(c.Pixel, c.Format), c.Color);
  }
}

TEST(PixelFormat, PixelsFitTheirFormatsWidth) {
  for (const FormatCase& c : kCases) {
    const int bits = FormatBits(c.Format);
    if (bits == 0 || bits == 32) continue;
    SCOPED_TRACE(FormatName(c.Format));
    EXPECT_EQ(ColorToPixel(0xFFFFFFFF, c.Format) >> bits, 0u);
  }
}

TEST(PixelFormat, OpaqueWhiteAndBlackSurviveEveryColourFormat) {
  for (D3DFORMAT f : {fmt::R8G8B8, fmt::X8R8G8B8, fmt::A8R8G8B8, fmt::R5G6B5, fmt::X1R5G5B5, fmt::A1R5G5B5,
                      fmt::A4R4G4B4, fmt::R3G3B2, fmt::A8R3G3B2, fmt::X4R4G4B4}) {
    SCOPED_TRACE(FormatName(f));
    EXPECT_EQ(PixelToColor(ColorToPixel(0xFFFFFFFF, f), f), 0xFFFFFFFFu);
    EXPECT_EQ(PixelToColor(ColorToPixel(0xFF000000, f), f), 0xFF000000u);
  }
}

TEST(PixelFormat, ReducedColoursReturnToTheSamePixel) {
  // What a texture holds comes back unchanged through colour and pixel again:
  // the rule that keeps a saved and reloaded texture identical.
  for (D3DFORMAT f : {fmt::A8R8G8B8, fmt::R5G6B5, fmt::X1R5G5B5, fmt::A1R5G5B5, fmt::A4R4G4B4, fmt::R3G3B2,
                      fmt::A8R3G3B2, fmt::X4R4G4B4}) {
    SCOPED_TRACE(FormatName(f));
    const uint32_t count = FormatBits(f) >= 16 ? 0x10000u : 1u << FormatBits(f);
    for (uint32_t pixel = 0; pixel < count; ++pixel) {
      const uint32_t color = PixelToColor(pixel, f);
      const bool spareBit = f == fmt::X1R5G5B5 && pixel >= 0x8000;
      const bool spareNibble = f == fmt::X4R4G4B4 && pixel >= 0x1000;
      if (spareBit || spareNibble) continue;  // bits the format does not use
      ASSERT_EQ(ColorToPixel(color, f), pixel) << pixel;
    }
  }
}

TEST(PixelFormat, OneBitAlphaIsTheTopBitOfAlpha) {
  EXPECT_EQ(ChannelsToPixel(0x7F, 0, 0, 0, fmt::A1R5G5B5), 0u);
  EXPECT_EQ(ChannelsToPixel(0x80, 0, 0, 0, fmt::A1R5G5B5), 0x8000u);
  EXPECT_EQ(PixelToColor(0x8000, fmt::A1R5G5B5), 0xFF000000u);
  EXPECT_EQ(PixelToColor(0x7FFF, fmt::A1R5G5B5), 0x00FFFFFFu);
}

TEST(PixelFormat, ChannelsAboveEightBitsAreMasked) {
  EXPECT_EQ(ChannelsToPixel(0x1FF, 0x100, 0x2AB, 0x3CD, fmt::A8R8G8B8), 0xFF00ABCDu);
}

TEST(PixelFormat, WidenStretchesTheTopValueTo255) {
  EXPECT_EQ(Widen(31, 5), 255u);
  EXPECT_EQ(Widen(1, 5), 8u);
  EXPECT_EQ(Widen(16, 5), 131u);
  EXPECT_EQ(Widen(63, 6), 255u);
  EXPECT_EQ(Widen(15, 4), 255u);
  EXPECT_EQ(Widen(1, 4), 17u);
  EXPECT_EQ(Widen(7, 3), 255u);
  EXPECT_EQ(Widen(1, 3), 36u);
  EXPECT_EQ(Widen(1, 2), 85u);
  EXPECT_EQ(Widen(1, 1), 255u);
  EXPECT_EQ(Widen(0, 5), 0u);
}

TEST(PixelFormat, PixelsAreStoredLittleEndianInTheirOwnBytes) {
  uint8_t bytes[6] = {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA};
  WritePixel(bytes + 1, 3, 0x11223344);
  EXPECT_EQ(bytes[0], 0xAA);
  EXPECT_EQ(bytes[1], 0x44);
  EXPECT_EQ(bytes[2], 0x33);
  EXPECT_EQ(bytes[3], 0x22);
  EXPECT_EQ(bytes[4], 0xAA);
  EXPECT_EQ(ReadPixel(bytes + 1, 3), 0x223344u);
  EXPECT_EQ(ReadPixel(bytes + 1, 1), 0x44u);
  EXPECT_EQ(ReadPixel(bytes + 1, 2), 0x3344u);
  WritePixel(bytes, 4, 0x01020304);
  EXPECT_EQ(ReadPixel(bytes, 4), 0x01020304u);
  EXPECT_EQ(bytes[4], 0xAA);
}

}  // namespace
}  // namespace vuzed
