#include "engine/platform/screenshot.h"

#include <png.h>

#include <algorithm>
#include <cctype>
#include <fstream>

namespace vuzed {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

std::string LowerExtension(const std::string& path) {
  size_t slash = path.find_last_of('/');
  size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string ext = path.substr(dot);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  return ext;
}

bool WriteBmpFile(const std::string& path, const std::vector<uint8_t>& rgb, int width, int height,
                  std::string& error) {
  std::vector<uint8_t> bytes = EncodeBmp24(rgb, width, height);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (out) out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (out) out.close();
  if (!out) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

bool WritePngFile(const std::string& path, const std::vector<uint8_t>& rgb, int width, int height,
                  std::string& error) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(width);
  image.height = png_uint_32(height);
  image.format = PNG_FORMAT_RGB;
  if (!png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), width * 3, nullptr)) {
    error = "cannot write " + path + ": " + image.message;
    png_image_free(&image);
    return false;
  }
  return true;
}

}  // namespace

std::vector<uint8_t> EncodeBmp24(const std::vector<uint8_t>& rgb, int width, int height) {
  const uint32_t rowBytes = (uint32_t(width) * 3 + 3) & ~3u;
  const uint32_t imageBytes = rowBytes * uint32_t(height);
  const uint32_t headerBytes = 14 + 40;
  std::vector<uint8_t> out;
  out.reserve(headerBytes + imageBytes);
  // BITMAPFILEHEADER
  out.push_back('B');
  out.push_back('M');
  Put32(out, headerBytes + imageBytes);
  Put32(out, 0);  // two reserved words
  Put32(out, headerBytes);
  // BITMAPINFOHEADER
  Put32(out, 40);
  Put32(out, uint32_t(width));
  Put32(out, uint32_t(height));  // positive: bottom row first
  Put16(out, 1);                 // planes
  Put16(out, 24);                // bits per pixel
  Put32(out, 0);                 // BI_RGB
  Put32(out, imageBytes);
  Put32(out, 2835);              // 72 dots per inch, in dots per metre
  Put32(out, 2835);
  Put32(out, 0);                 // colours used
  Put32(out, 0);                 // colours important
  for (int y = height - 1; y >= 0; --y) {
    const uint8_t* row = rgb.data() + size_t(y) * size_t(width) * 3;
    for (int x = 0; x < width; ++x) {
      out.push_back(row[x * 3 + 2]);
      out.push_back(row[x * 3 + 1]);
      out.push_back(row[x * 3 + 0]);
    }
    for (uint32_t pad = uint32_t(width) * 3; pad < rowBytes; ++pad) out.push_back(0);
  }
  return out;
}

bool WriteScreenshot(const std::string& path, const std::vector<uint8_t>& rgb, int width,
                     int height, std::string& error) {
  // Sides are bounded so that the BMP sizes fit their 32-bit fields.
  constexpr int kMaxSide = 16384;
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
    error = "bad image size " + std::to_string(width) + "x" + std::to_string(height);
    return false;
  }
  if (rgb.size() != size_t(width) * size_t(height) * 3) {
    error = "image data does not match " + std::to_string(width) + "x" + std::to_string(height);
    return false;
  }
  std::string ext = LowerExtension(path);
  if (ext == ".bmp") return WriteBmpFile(path, rgb, width, height, error);
  if (ext == ".png") return WritePngFile(path, rgb, width, height, error);
  error = "unknown image type (use .bmp or .png): " + path;
  return false;
}

}  // namespace vuzed
