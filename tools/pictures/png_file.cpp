#include "png_file.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace vuzed::pictures {
namespace {

uint8_t Byte(float v) { return uint8_t(std::clamp(int(std::lround(v * 255.f)), 0, 255)); }

void Append(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void Flush(png_structp) {}

}  // namespace

std::vector<uint8_t> EncodePngRgba(const Canvas& c) {
  const int w = c.Width(), h = c.Height();
  std::vector<uint8_t> pixels(size_t(w) * size_t(h) * 4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const Rgba& p = c.At(x, y);
      uint8_t* q = &pixels[(size_t(y) * size_t(w) + size_t(x)) * 4];
      const float a = std::clamp(p.A, 0.f, 1.f);
      const float inv = a > 0 ? 1 / a : 0;
      q[0] = Byte(p.R * inv);
      q[1] = Byte(p.G * inv);
      q[2] = Byte(p.B * inv);
      q[3] = Byte(a);
    }

  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info) {
    png_destroy_write_struct(&png, nullptr);
    throw std::runtime_error("libpng could not start");
  }
  std::vector<png_bytep> rows(static_cast<size_t>(h));
  for (int y = 0; y < h; ++y) rows[size_t(y)] = &pixels[size_t(y) * size_t(w) * 4];
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("libpng could not encode the picture");
  }
  png_set_write_fn(png, &out, &Append, &Flush);
  png_set_IHDR(png, info, png_uint_32(w), png_uint_32(h), 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 9);
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

}  // namespace vuzed::pictures
