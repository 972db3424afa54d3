#pragma once
// Turning a painted canvas into the 8-bit picture a table loads. Each table
// has a colour key: pixels exactly equal to it become fully transparent, every
// other pixel fully opaque. So transparency is all or nothing: a sprite's
// soft edge is blended onto a dark matte (an outline) and whatever is too
// faint becomes the key; and no painted pixel may come out as the key (or so
// near it that a 16-bit or 5-bit store would turn it into the key).

#include <cstdint>

#include "bmp_file.h"
#include "raster.h"

namespace vuzed::pictures {

namespace key {
constexpr uint32_t Magenta = 0xFF00FF;
constexpr uint32_t Black = 0x000000;
constexpr uint32_t White = 0xFFFFFF;
}  // namespace key

// A colour moved just far enough from the key (and left alone when it is far).
uint32_t AwayFromKey(uint32_t rgb, uint32_t key);

// Alpha below threshold becomes the key; the rest is composited over matte.
Image FlattenSprite(const Canvas& canvas, uint32_t key, const Rgba& matte, float threshold = 0.3f);
// For pictures drawn additively: light over black, and where there is almost
// no light the key.
Image FlattenLight(const Canvas& canvas, uint32_t key);
// A picture with no transparent pixel: composited over a background colour.
Image FlattenOpaque(const Canvas& canvas, const Rgba& background, uint32_t key);

}  // namespace vuzed::pictures
