#include "engine/graphics/pixel_format.h"

namespace vuzed {

uint32_t Widen(uint32_t value, int bits) {
  const uint32_t top = (1u << bits) - 1;
  return (value & top) * 255u / top;
}

// Each format keeps the top bits of the 8-bit channels at the positions its
// name gives, most significant channel first. PixelToColor below reads the
// same positions; the two switches stay in step.
uint32_t ChannelsToPixel(uint32_t a, uint32_t r, uint32_t g, uint32_t b, D3DFORMAT format) {
  a &= 255u;
  r &= 255u;
  g &= 255u;
  b &= 255u;
  switch (format) {
    case fmt::R8G8B8:
    case fmt::X8R8G8B8:
    case fmt::X8L8V8U8:
      return r << 16 | g << 8 | b;
    case fmt::A8R8G8B8:
    case fmt::Q8W8V8U8:
      return a << 24 | r << 16 | g << 8 | b;
    case fmt::R5G6B5:
      return (r >> 3) << 11 | (g >> 2) << 5 | b >> 3;
    case fmt::X1R5G5B5:
      return (r >> 3) << 10 | (g >> 3) << 5 | b >> 3;
    case fmt::A1R5G5B5:
      return (a >> 7) << 15 | (r >> 3) << 10 | (g >> 3) << 5 | b >> 3;
    case fmt::A4R4G4B4:
      return (a >> 4) << 12 | (r >> 4) << 8 | (g >> 4) << 4 | b >> 4;
    case fmt::R3G3B2:
      return (r >> 5) << 5 | (g >> 5) << 2 | b >> 6;
    case fmt::A8:
      return a;
    case fmt::A8R3G3B2:
      return a << 8 | (r >> 5) << 5 | (g >> 5) << 2 | b >> 6;
    case fmt::X4R4G4B4:
      return (r >> 4) << 8 | (g >> 4) << 4 | b >> 4;
    case fmt::L8:
      return r;
    case fmt::A8L8:
      return a << 8 | r;
    case fmt::A4L4:
      return (a >> 4) << 4 | r >> 4;
    case fmt::V8U8:
      return g << 8 | b;
    case fmt::L6V5U5:
      return (r >> 2) << 10 | (g >> 3) << 5 | b >> 3;
    case fmt::V16U16:
      return g << 24 | b << 8;
    default:
      return 0;
  }
}

uint32_t ColorToPixel(uint32_t argb, D3DFORMAT format) {
  return ChannelsToPixel(argb >> 24, argb >> 16, argb >> 8, argb, format);
}

namespace {

// An opaque colour from channels that are already 8 bits wide.
constexpr uint32_t Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
  return a << 24 | r << 16 | g << 8 | b;
}

}  // namespace

uint32_t PixelToColor(uint32_t pixel, D3DFORMAT format) {
  switch (format) {
    case fmt::R8G8B8:
    case fmt::X8R8G8B8:
      return pixel | 0xFF000000u;
    case fmt::A8R8G8B8:
    case fmt::V8U8:
    case fmt::X8L8V8U8:
    case fmt::Q8W8V8U8:
      return pixel;
    case fmt::R5G6B5:
      return Argb(255, Widen(pixel >> 11, 5), Widen(pixel >> 5, 6), Widen(pixel, 5));
    case fmt::X1R5G5B5:
      return Argb(255, Widen(pixel >> 10, 5), Widen(pixel >> 5, 5), Widen(pixel, 5));
    case fmt::A1R5G5B5:
      return Argb(((pixel >> 15) & 1) * 255, Widen(pixel >> 10, 5), Widen(pixel >> 5, 5), Widen(pixel, 5));
    case fmt::A4R4G4B4:
      return Argb(Widen(pixel >> 12, 4), Widen(pixel >> 8, 4), Widen(pixel >> 4, 4), Widen(pixel, 4));
    case fmt::R3G3B2:
      return Argb(255, Widen(pixel >> 5, 3), Widen(pixel >> 2, 3), Widen(pixel, 2));
    case fmt::A8R3G3B2:
      return Argb((pixel >> 8) & 255, Widen(pixel >> 5, 3), Widen(pixel >> 2, 3), Widen(pixel, 2));
    case fmt::X4R4G4B4:
      return Argb(255, Widen(pixel >> 8, 4), Widen(pixel >> 4, 4), Widen(pixel, 4));
    case fmt::A8:
      return pixel << 24;
    case fmt::L8:
    case fmt::A8L8:
      return pixel << 16;
    case fmt::A4L4:
      return Argb(Widen(pixel >> 4, 4), Widen(pixel, 4), 0, 0);
    case fmt::L6V5U5:
      return Argb(0, ((pixel >> 10) & 63) << 2, ((pixel >> 5) & 31) << 3, (pixel & 31) << 3);
    case fmt::V16U16:
      return (pixel & 0xFFFFu) | ((pixel >> 16) << 8);
    default:
      return 0;
  }
}

uint32_t ReadPixel(const uint8_t* p, int bytesPerPixel) {
  uint32_t pixel = 0;
  for (int i = 0; i < bytesPerPixel; ++i) pixel |= uint32_t(p[i]) << (8 * i);
  return pixel;
}

void WritePixel(uint8_t* p, int bytesPerPixel, uint32_t pixel) {
  for (int i = 0; i < bytesPerPixel; ++i) p[i] = uint8_t(pixel >> (8 * i));
}

}  // namespace vuzed
