#pragma once
// Writing a frame (24-bit RGB rows, top row first) as an image file. The kind
// follows the file's extension, in any letter case: ".bmp" gives a 24-bit
// Windows bitmap, ".png" an 8-bit RGB PNG.

#include <cstdint>
#include <string>
#include <vector>

namespace vuzed {

// False with a message in error when the extension is neither, the pixel count
// does not match width x height, or the file cannot be written.
bool WriteScreenshot(const std::string& path, const std::vector<uint8_t>& rgb, int width,
                     int height, std::string& error);

// The same as a BMP in memory: BITMAPFILEHEADER, BITMAPINFOHEADER (40 bytes,
// BI_RGB, 24 bits), then the rows bottom row first, each in B, G, R order and
// padded with zeros to a multiple of 4 bytes.
std::vector<uint8_t> EncodeBmp24(const std::vector<uint8_t>& rgb, int width, int height);

}  // namespace vuzed
