#pragma once
// OpenGL copies of the engine's vertex and index buffers, keyed by buffer id.
// A copy is made when an id is first drawn and again whenever its version
// changes; the engine's CPU bytes stay the master copy. For index buffers the
// cache also keeps the largest index, so a draw never reads past its vertices.

#include <cstdint>
#include <unordered_map>

#include "engine/platform/gl_object.h"
#include "engine/platform/render_backend.h"

namespace vuzed {

class GlGeometryCache {
 public:
  // Binds the buffer to target (GL_ARRAY_BUFFER or GL_ELEMENT_ARRAY_BUFFER),
  // uploading it first when it is new or changed. False for an image without
  // bytes.
  bool Bind(const GeometryImage& image, GLenum target);
  // The largest 16-bit index of an index buffer bound before (0 if unknown).
  uint16_t MaxIndex(uint32_t id) const;
  void Forget(uint32_t id) { Entries_.erase(id); }
  void Clear() { Entries_.clear(); }
  size_t Size() const { return Entries_.size(); }
  uint64_t UploadCount() const { return Uploads_; }

 private:
  struct Entry {
    GlBufferName Name;
    uint64_t Version = 0;
    uint16_t MaxIndex = 0;
  };
  std::unordered_map<uint32_t, Entry> Entries_;
  uint64_t Uploads_ = 0;
};

}  // namespace vuzed
