#pragma once
// Writes BMP files byte by byte for tests, independently of the engine's own
// reader and writer, including broken ones: wrong magic, odd bit counts,
// short palettes, larger info headers, truncation.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vuzed::test {

struct BmpPicture {
  int Width = 1;
  // Rows as stored: a negative height writes the rows top-down.
  int Height = 1;
  int BitCount = 24;
  // Top row first, left to right, Width * |Height| values. 8 bits: palette
  // indexes; 16 bits: the raw 1-5-5-5 value; 24 bits: 0xRRGGBB; 32 bits: ARGB.
  std::vector<uint32_t> Pixels;
  // 8 bits: entries written as 0xRRGGBB (stored blue, green, red, 0). Empty
  // with 8 bits writes 256 black entries.
  std::vector<uint32_t> Palette;
  // biClrUsed as stored; -1 writes the palette size when it is not 256, else 0.
  int64_t ClrUsed = -1;
  uint32_t Compression = 0;
  char Magic[2] = {'B', 'M'};
  // The info header size; sizes above 40 are padded with zeros.
  uint32_t InfoSize = 40;
  // Extra bytes between the palette and the pixels; bfOffBits counts them.
  uint32_t Gap = 0;
  // The byte that pads each row to a multiple of 4: non-zero, so that a
  // reader that takes padding for pixels shows it.
  uint8_t PaddingByte = 0xCD;
  // Keep only the first bytes of the file. A header that claims an absurd
  // size needs it: rows past it are never made.
  size_t TruncateTo = std::string::npos;
};

std::string MakeBmp(const BmpPicture& picture);

// A w x h picture whose pixel (x, y) is f(x, y), in the given bit count.
template <typename F>
BmpPicture PictureOf(int width, int height, int bitCount, F f) {
  BmpPicture picture;
  picture.Width = width;
  picture.Height = height;
  picture.BitCount = bitCount;
  const int rows = height < 0 ? -height : height;
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < width; ++x) picture.Pixels.push_back(f(x, y));
  return picture;
}

}  // namespace vuzed::test
