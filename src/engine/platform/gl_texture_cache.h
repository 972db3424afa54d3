#pragma once
// OpenGL copies of the engine's textures, keyed by texture id. A copy is made
// when an id is first bound and made again whenever the image's version
// changes; the engine's CPU pixels stay the master copy.

#include <cstdint>
#include <string>
#include <unordered_map>

#include "engine/graphics/d3d_types.h"
#include "engine/platform/gl_object.h"
#include "engine/platform/render_backend.h"

namespace vuzed {

// True for the pixel formats the cache can upload as they are.
bool GlCanUploadFormat(D3DFORMAT format);

class GlTextureCache {
 public:
  void SetMaxSize(int maxSize) { MaxSize_ = maxSize; }
  // Binds the image's texture to unit 0, uploading it first when it is new or
  // changed. False (nothing bound) for an image that cannot be drawn: no
  // pixels, a size of zero or above the maximum, a pitch too small for a row,
  // or a format the cache does not know; problem then says why.
  bool Bind(const TextureImage& image, std::string& problem);
  void Forget(uint32_t id) { Entries_.erase(id); }
  void Clear() { Entries_.clear(); }
  size_t Size() const { return Entries_.size(); }

 private:
  struct Entry {
    GlTextureName Name;
    uint64_t Version = 0;
    int Width = 0, Height = 0;
    D3DFORMAT Format = fmt::UNKNOWN;
  };
  std::unordered_map<uint32_t, Entry> Entries_;
  int MaxSize_ = 8192;
};

}  // namespace vuzed
