#pragma once
// BMP files as the game's loader reads them: a 14-byte file header, a 40-byte
// info header, for 8 bits a palette of 256 BGRX entries, then rows bottom
// first, each padded to a multiple of 4 bytes. 24 bits store blue, green,
// red; 16 bits store 1-5-5-5 (top bit unused), which the loader widens to 8
// bits per channel by repeating the top bits.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vuzed::pictures {

// 8-bit RGB, rows top first.
struct Image {
  int Width = 0, Height = 0;
  std::vector<uint8_t> Rgb;
  Image(int width, int height) : Width(width), Height(height), Rgb(size_t(width) * size_t(height) * 3) {}
  uint32_t At(int x, int y) const;  // 0xRRGGBB
  void Set(int x, int y, uint32_t rgb);
};

// A palette picture, rows top first.
struct IndexedImage {
  int Width = 0, Height = 0;
  std::array<uint32_t, 256> Palette{};  // 0xRRGGBB
  std::vector<uint8_t> Index;
  IndexedImage(int width, int height) : Width(width), Height(height), Index(size_t(width) * size_t(height)) {}
};

std::vector<uint8_t> EncodeBmp24(const Image& image);
// Ordered dithering down to 5 bits per channel. No pixel other than those
// equal to key may come out as the key's 5-bit colour (which the loader would
// widen back to the key).
std::vector<uint8_t> EncodeBmp16(const Image& image, uint32_t key);
std::vector<uint8_t> EncodeBmp8(const IndexedImage& image);

}  // namespace vuzed::pictures
