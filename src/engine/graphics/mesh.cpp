// Temporary stand-in until the mesh loader lands: every mesh stays empty.
#include "engine/graphics/mesh.h"

namespace vuzed {
class TMXVertexBuffer {};
class TMXIndexBuffer {};
TVZMesh::TVZMesh(TDovivez* device, std::string v, std::string i)
    : Device_(device), VertexBufferName_(std::move(v)), IndexBufferName_(std::move(i)) {}
TVZMesh::~TVZMesh() = default;
bool TVZMesh::LoadFromFile(const std::string&, const std::string&) { return false; }
bool TVZMesh::LoadFromStream(std::istream&) { return false; }
void TVZMesh::ComputeBounds() {}
void TVZMesh::Weld() {}
void TVZMesh::DrawMesh() {}
bool TVZMesh::Empty() const { return true; }
uint32_t TVZMesh::FVF() const { return 0; }
int TVZMesh::Stride() const { return 0; }
int TVZMesh::VertexCount() const { return 0; }
int TVZMesh::IndexCount() const { return 0; }
}  // namespace vuzed
