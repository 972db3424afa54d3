#pragma once
// Packing ARGB colours into the pixels of every texture format and back.
// ChannelsToPixel keeps the top bits of each 8-bit channel; PixelToColor reads
// them back and widens an n-bit channel v to v * 255 / (2^n - 1). Formats
// without alpha read back with alpha 255.

#include <cstdint>

#include "engine/graphics/d3d_types.h"

namespace vuzed {

uint32_t ChannelsToPixel(uint32_t a, uint32_t r, uint32_t g, uint32_t b, D3DFORMAT format);
uint32_t ColorToPixel(uint32_t argb, D3DFORMAT format);
uint32_t PixelToColor(uint32_t pixel, D3DFORMAT format);
uint32_t Widen(uint32_t value, int bits);

// Reading and writing one pixel of 1 to 4 bytes, little-endian.
uint32_t ReadPixel(const uint8_t* p, int bytesPerPixel);
void WritePixel(uint8_t* p, int bytesPerPixel, uint32_t pixel);

}  // namespace vuzed
