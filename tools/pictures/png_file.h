#pragma once
// PNG files for the desktop: 8-bit RGBA, not interlaced, no time stamp or
// other chunk that would change between runs.

#include <cstdint>
#include <vector>

#include "raster.h"

namespace vuzed::pictures {

// The canvas with its alpha kept (colours un-premultiplied), as a PNG file.
std::vector<uint8_t> EncodePngRgba(const Canvas& canvas);

}  // namespace vuzed::pictures
