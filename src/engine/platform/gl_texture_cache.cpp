#include "engine/platform/gl_texture_cache.h"

#include <cstring>
#include <vector>

namespace vuzed {
namespace {

// How each Direct3D format reaches OpenGL without conversion. The packed
// "_REV" types put the first component (blue) in the lowest bits, which is
// the Direct3D layout: A8R8G8B8 is the 32-bit value 0xAARRGGBB, A1R5G5B5 has
// alpha in bit 15 and blue in bits 0..4. Formats with an X read alpha as 1.
struct GlUploadFormat {
  D3DFORMAT Format;
  int BytesPerPixel;
  GLenum DataFormat;
  GLenum DataType;
  bool OpaqueAlpha;
};

constexpr GlUploadFormat kUploadFormats[] = {
    {fmt::A8R8G8B8, 4, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, false},
    {fmt::X8R8G8B8, 4, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, true},
    {fmt::A4R4G4B4, 2, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV, false},
    {fmt::A1R5G5B5, 2, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV, false},
    {fmt::X1R5G5B5, 2, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV, true},
    {fmt::R5G6B5, 2, GL_RGB, GL_UNSIGNED_SHORT_5_6_5, true},
};

const GlUploadFormat* FindUploadFormat(D3DFORMAT format) {
  for (const GlUploadFormat& f : kUploadFormats)
    if (f.Format == format) return &f;
  return nullptr;
}

}  // namespace

bool GlCanUploadFormat(D3DFORMAT format) { return FindUploadFormat(format) != nullptr; }

bool GlTextureCache::Bind(const TextureImage& image, std::string& problem) {
  const GlUploadFormat* upload = FindUploadFormat(image.Format);
  if (!upload) {
    problem = "texture format " + std::to_string(image.Format) + " cannot be drawn";
    return false;
  }
  if (!image.Pixels || image.Width <= 0 || image.Height <= 0 || image.Width > MaxSize_ ||
      image.Height > MaxSize_) {
    problem = "texture " + std::to_string(image.Id) + " has no drawable pixels (" +
              std::to_string(image.Width) + "x" + std::to_string(image.Height) + ")";
    return false;
  }
  const int rowBytes = image.Width * upload->BytesPerPixel;
  if (image.Pitch < rowBytes) {
    problem = "texture " + std::to_string(image.Id) + " has a pitch of " +
              std::to_string(image.Pitch) + " for rows of " + std::to_string(rowBytes) + " bytes";
    return false;
  }

  auto [it, fresh] = Entries_.try_emplace(image.Id);
  Entry& entry = it->second;
  if (fresh) {
    entry.Name = GlTextureName::Generate();
  }
  glBindTexture(GL_TEXTURE_2D, entry.Name.Get());
  if (!fresh && entry.Version == image.Version && entry.Width == image.Width &&
      entry.Height == image.Height && entry.Format == image.Format)
    return true;

  // Rows are handed over at their pitch when it is a whole number of pixels,
  // else copied tight first.
  const uint8_t* pixels = image.Pixels;
  std::vector<uint8_t> tight;
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  if (image.Pitch % upload->BytesPerPixel == 0) {
    glPixelStorei(GL_UNPACK_ROW_LENGTH, image.Pitch / upload->BytesPerPixel);
  } else {
    tight.resize(size_t(rowBytes) * size_t(image.Height));
    for (int y = 0; y < image.Height; ++y)
      std::memcpy(tight.data() + size_t(y) * size_t(rowBytes),
                  image.Pixels + size_t(y) * size_t(image.Pitch), size_t(rowBytes));
    pixels = tight.data();
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  }
  if (fresh || entry.Width != image.Width || entry.Height != image.Height) {
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, image.Width, image.Height, 0, upload->DataFormat,
                 upload->DataType, pixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  } else {
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, image.Width, image.Height, upload->DataFormat,
                    upload->DataType, pixels);
  }
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_A, upload->OpaqueAlpha ? GL_ONE : GL_ALPHA);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  entry.Version = image.Version;
  entry.Width = image.Width;
  entry.Height = image.Height;
  entry.Format = image.Format;
  return true;
}

}  // namespace vuzed
