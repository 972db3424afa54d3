// TVZMesh::Weld: vertices equal byte for byte become one.
//
// map[i] is where vertex i ends up: a vertex equal to an earlier one j (the
// first such j) shares map[j]; any other moves down by the number of
// duplicates before it. The first vertex with given bytes is found through a
// table of first occurrences, which gives the same j as comparing vertex i
// with vertices 0..i-1 in order, without the quadratic walk.

#include <cstring>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/graphics/d3d_types.h"
#include "engine/graphics/index_buffer.h"
#include "engine/graphics/mesh.h"
#include "engine/graphics/vertex_buffer.h"

namespace vuzed {

void TVZMesh::Weld() {
  if (Empty() || !Vertices_->HasBuffer() || !Indices_->HasBuffer() || Vertices_->Count() == 0) return;
  const int n = Vertices_->Count();
  const size_t stride = size_t(Vertices_->Stride());
  uint8_t* v = Vertices_->Lock(0, 0, 0);
  if (!v) return;

  std::vector<int> map(size_t(n), 0);
  int duplicates = 0;
  {
    std::unordered_map<std::string_view, int> firstWith;
    firstWith.reserve(size_t(n));
    for (int i = 0; i < n; ++i) {
      const std::string_view bytes(reinterpret_cast<const char*>(v + i * stride), stride);
      const auto [at, fresh] = firstWith.try_emplace(bytes, i);
      if (fresh) {
        map[size_t(i)] = i - duplicates;
      } else {
        map[size_t(i)] = map[size_t(at->second)];
        ++duplicates;
      }
    }
  }
  // In place, in increasing i: map[i] <= i, so no vertex is overwritten
  // before it has been moved.
  for (int i = 0; i < n; ++i)
    if (map[size_t(i)] != i) std::memmove(v + size_t(map[size_t(i)]) * stride, v + size_t(i) * stride, stride);
  const int kept = n - duplicates;
  const std::vector<uint8_t> keptBytes(v, v + size_t(kept) * stride);
  Vertices_->Unlock();

  Vertices_->SetCount(kept);
  if (uint8_t* w = Vertices_->Lock(0, 0, 0)) {
    std::memcpy(w, keptBytes.data(), keptBytes.size());
    Vertices_->Unlock();
  }

  // An index past the old vertex count (only a caller's own writes can put
  // one there) is left as it is.
  uint8_t* indices = Indices_->Lock(0, 0, 0);
  if (!indices) return;
  for (int i = 0; i < Indices_->Count(); ++i) {
    uint16_t x;
    std::memcpy(&x, indices + size_t(i) * TMXIndexBuffer::kIndexSize, sizeof x);
    if (x >= n) continue;
    x = uint16_t(map[x]);
    std::memcpy(indices + size_t(i) * TMXIndexBuffer::kIndexSize, &x, sizeof x);
  }
  Indices_->Unlock();
}

}  // namespace vuzed
