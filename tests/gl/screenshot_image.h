#pragma once
// Reads back a screenshot the tool wrote as a 24-bit BMP (bottom-up rows,
// each padded to four bytes) and counts pixels in a rectangle.

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

namespace vuzed::test {

struct ScreenshotImage {
  // Empty (Width 0) when the bytes are not an uncompressed 24-bit BMP.
  explicit ScreenshotImage(std::string bytes) : Bytes(std::move(bytes)) {
    if (Bytes.size() < 54 || Bytes.compare(0, 2, "BM") != 0 || Read(28, 2) != 24) return;
    const auto height = int32_t(Read(22, 4));
    const int32_t width = int32_t(Read(18, 4));
    Offset = Read(10, 4);
    Stride = (size_t(width) * 3 + 3) / 4 * 4;
    if (height <= 0 || width <= 0 || Offset + Stride * size_t(height) > Bytes.size()) return;
    Width = width;
    Height = height;
  }

  // 0xRRGGBB at (x, y), y down from the top of the screen.
  uint32_t Pixel(int x, int y) const {
    const size_t at = Offset + size_t(Height - 1 - y) * Stride + size_t(x) * 3;
    return uint32_t(uint8_t(Bytes[at + 2])) << 16 | uint32_t(uint8_t(Bytes[at + 1])) << 8 | uint8_t(Bytes[at]);
  }

  // Pixels with x in [x0, x1) and y in [y0, y1) for which match holds.
  int Count(int x0, int y0, int x1, int y1, const std::function<bool(uint32_t)>& match) const {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += match(Pixel(x, y)) ? 1 : 0;
    return n;
  }

  std::string Bytes;
  int Width = 0;
  int Height = 0;

 private:
  uint32_t Read(size_t at, int size) const {
    uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i) v = (v << 8) | uint8_t(Bytes[at + size_t(i)]);
    return v;
  }
  size_t Offset = 0;
  size_t Stride = 0;
};

}  // namespace vuzed::test
