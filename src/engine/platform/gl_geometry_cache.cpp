#include "engine/platform/gl_geometry_cache.h"

#include <algorithm>
#include <cstring>

namespace vuzed {

bool GlGeometryCache::Bind(const GeometryImage& image, GLenum target) {
  if (!image.Data || image.Count <= 0 || image.Stride <= 0) return false;
  const size_t bytes = size_t(image.Count) * size_t(image.Stride);
  auto [it, fresh] = Entries_.try_emplace(image.Id);
  Entry& entry = it->second;
  if (fresh) entry.Name = GlBufferName::Generate();
  glBindBuffer(target, entry.Name.Get());
  if (fresh || entry.Version != image.Version) {
    glBufferData(target, GLsizeiptr(bytes), image.Data, GL_STATIC_DRAW);
    entry.Version = image.Version;
    ++Uploads_;
    if (target == GL_ELEMENT_ARRAY_BUFFER) {
      entry.MaxIndex = 0;
      for (size_t i = 0; i + 1 < bytes; i += 2) {
        uint16_t index;
        std::memcpy(&index, image.Data + i, 2);
        entry.MaxIndex = std::max(entry.MaxIndex, index);
      }
    }
  }
  return true;
}

uint16_t GlGeometryCache::MaxIndex(uint32_t id) const {
  auto it = Entries_.find(id);
  return it == Entries_.end() ? 0 : it->second.MaxIndex;
}

}  // namespace vuzed
