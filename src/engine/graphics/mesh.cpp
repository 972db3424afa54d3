#include "engine/graphics/mesh.h"

#include <algorithm>
#include <cstring>

#include "engine/graphics/d3d_types.h"
#include "engine/graphics/device.h"
#include "engine/graphics/engine_log.h"
#include "engine/graphics/index_buffer.h"
#include "engine/graphics/vertex_buffer.h"

namespace vuzed {

TVZMesh::TVZMesh(TDovivez* device, std::string vertexBufferName, std::string indexBufferName)
    : Device_(device),
      VertexBufferName_(std::move(vertexBufferName)),
      IndexBufferName_(std::move(indexBufferName)) {
  const DeviceCaps caps = Device_ ? Device_->Caps() : DeviceCaps{};
  MaxPrimitiveCount_ = caps.MaxPrimitiveCount;
  MaxVertexIndex_ = caps.MaxVertexIndex;
}

TVZMesh::~TVZMesh() = default;

void TVZMesh::Clear() {
  Vertices_.reset();
  Indices_.reset();
  Version_ = -1;
  FaceCount_ = 0;
  Min_ = Max_ = Centre_ = TVector{};
  Radius_ = 0;
}

EngineLog* TVZMesh::Log() const { return Device_ ? &Device_->Log() : nullptr; }

bool TVZMesh::Fail(const std::string& text) {
  WriteLog(Log(), text);
  LastError_ = text;
  Clear();
  return false;
}

bool TVZMesh::Empty() const { return !Vertices_ || !Indices_; }
uint32_t TVZMesh::FVF() const { return Vertices_ ? Vertices_->FVF() : 0; }
int TVZMesh::Stride() const { return Vertices_ ? Vertices_->Stride() : 0; }
int TVZMesh::VertexCount() const { return Vertices_ ? Vertices_->Count() : 0; }
int TVZMesh::IndexCount() const { return Indices_ ? Indices_->Count() : 0; }

void TVZMesh::ComputeBounds() {
  Min_ = Max_ = Centre_ = TVector{};
  Radius_ = 0;
  if (!Vertices_ || Vertices_->Count() == 0 || Vertices_->Stride() < 12) return;
  const uint8_t* v = Vertices_->Lock(0, 0, d3d::LOCK_READONLY);
  if (!v) return;
  const int stride = Vertices_->Stride();
  for (int i = 0; i < Vertices_->Count(); ++i, v += stride) {
    float p[3];
    std::memcpy(p, v, sizeof p);
    if (i == 0) {
      Min_ = Max_ = TVector{p[0], p[1], p[2]};
      continue;
    }
    Min_ = TVector{std::min(Min_.X, p[0]), std::min(Min_.Y, p[1]), std::min(Min_.Z, p[2])};
    Max_ = TVector{std::max(Max_.X, p[0]), std::max(Max_.Y, p[1]), std::max(Max_.Z, p[2])};
  }
  Vertices_->Unlock();
  Centre_ = VectorScale(VectorAdd(Min_, Max_), 0.5f);
  Radius_ = VectorLength(VectorSubtract(Max_, Min_)) / 2;
}

void TVZMesh::DrawMesh() {
  if (Empty() || !Device_) return;
  const GeometryImage* vertices = Vertices_->Image();
  const GeometryImage* indices = Indices_->Image();
  if (!vertices || !indices) return;  // released with the device
  // Triangles from index start on, at most MaxPrimitiveCount per call; a
  // trailing one or two indices make no triangle.
  const int count = indices->Count;
  const int64_t limit = std::max<int64_t>(MaxPrimitiveCount_, 1);
  for (int start = 0; start < count - 2;) {
    const int n = int(std::min<int64_t>((count - start) / 3, limit));
    Device_->Backend().DrawIndexedTriangleList(*vertices, *indices, start, n);
    start += 3 * n;
  }
}

}  // namespace vuzed
