#include "bmp_file.h"

#include <algorithm>
#include <cmath>

namespace vuzed::pictures {
namespace {

void Put(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

std::vector<uint8_t> Headers(int width, int height, int bits, uint32_t paletteEntries) {
  const uint32_t rowBytes = (uint32_t(width) * uint32_t(bits) + 31) / 32 * 4;
  const uint32_t offBits = 14 + 40 + paletteEntries * 4;
  const uint32_t imageSize = rowBytes * uint32_t(height);
  std::vector<uint8_t> out;
  out.reserve(offBits + imageSize);
  Put(out, 0x4D42, 2);  // "BM"
  Put(out, offBits + imageSize, 4);
  Put(out, 0, 4);
  Put(out, offBits, 4);
  Put(out, 40, 4);
  Put(out, uint32_t(width), 4);
  Put(out, uint32_t(height), 4);  // positive: bottom row first
  Put(out, 1, 2);
  Put(out, uint32_t(bits), 2);
  Put(out, 0, 4);  // uncompressed
  Put(out, imageSize, 4);
  Put(out, 2835, 4);  // 72 dpi
  Put(out, 2835, 4);
  Put(out, paletteEntries, 4);
  Put(out, 0, 4);
  return out;
}

void PadRow(std::vector<uint8_t>& out, size_t rowStart) {
  while ((out.size() - rowStart) % 4 != 0) out.push_back(0);
}

// 4 x 4 ordered-dither thresholds, 0..15.
constexpr int Bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

uint32_t To5(uint32_t v8, int threshold) {
  const float f = float(v8) / 255.f * 31.f + (float(threshold) + 0.5f) / 16.f - 0.5f;
  return uint32_t(std::clamp(int(std::lround(f)), 0, 31));
}

}  // namespace

uint32_t Image::At(int x, int y) const {
  const uint8_t* p = &Rgb[(size_t(y) * size_t(Width) + size_t(x)) * 3];
  return uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
}

void Image::Set(int x, int y, uint32_t rgb) {
  uint8_t* p = &Rgb[(size_t(y) * size_t(Width) + size_t(x)) * 3];
  p[0] = uint8_t(rgb >> 16);
  p[1] = uint8_t(rgb >> 8);
  p[2] = uint8_t(rgb);
}

std::vector<uint8_t> EncodeBmp24(const Image& image) {
  std::vector<uint8_t> out = Headers(image.Width, image.Height, 24, 0);
  for (int y = image.Height - 1; y >= 0; --y) {
    const size_t start = out.size();
    for (int x = 0; x < image.Width; ++x) Put(out, image.At(x, y), 3);  // little-endian: B, G, R
    PadRow(out, start);
  }
  return out;
}

std::vector<uint8_t> EncodeBmp16(const Image& image, uint32_t key) {
  const uint32_t key5 = (key >> 19 & 31) << 10 | (key >> 11 & 31) << 5 | (key >> 3 & 31);
  std::vector<uint8_t> out = Headers(image.Width, image.Height, 16, 0);
  for (int y = image.Height - 1; y >= 0; --y) {
    const size_t start = out.size();
    for (int x = 0; x < image.Width; ++x) {
      const uint32_t c = image.At(x, y);
      uint32_t v;
      if (c == key) {
        v = key5;
      } else {
        const int t = Bayer[y & 3][x & 3];
        v = To5(c >> 16 & 255, t) << 10 | To5(c >> 8 & 255, t) << 5 | To5(c & 255, t);
        if (v == key5) v ^= 1u << 5;  // one green step off the key
      }
      Put(out, v, 2);
    }
    PadRow(out, start);
  }
  return out;
}

std::vector<uint8_t> EncodeBmp8(const IndexedImage& image) {
  std::vector<uint8_t> out = Headers(image.Width, image.Height, 8, 256);
  for (uint32_t c : image.Palette) Put(out, c & 0xFFFFFF, 4);  // B, G, R, 0
  for (int y = image.Height - 1; y >= 0; --y) {
    const size_t start = out.size();
    for (int x = 0; x < image.Width; ++x) out.push_back(image.Index[size_t(y) * size_t(image.Width) + size_t(x)]);
    PadRow(out, start);
  }
  return out;
}

}  // namespace vuzed::pictures
