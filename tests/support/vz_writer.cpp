#include "support/vz_writer.h"

#include <cstring>

namespace vuzed::test {
namespace {

void PutLE(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += char((value >> (8 * i)) & 0xFF);
}

std::string Join(const std::vector<std::string>& parts) {
  std::string out;
  for (const std::string& p : parts) out += p;
  return out;
}

}  // namespace

std::string MakeVz(const VzFile& file) {
  const size_t stride = file.Magic == "Vezurive_Geo00  " ? 40 : file.VertexSize;
  const int vertexCount =
      file.VertexCount >= 0 ? file.VertexCount : int(stride ? file.Vertices.size() / stride : 0);
  const int indexCount = file.IndexCount >= 0 ? file.IndexCount : int(file.Indices.size());
  std::string out = file.Magic.substr(0, 16);
  out.resize(16, '\0');
  PutLE(out, uint32_t(vertexCount), 2);
  PutLE(out, uint32_t(indexCount), 2);
  PutLE(out, file.FVF, 4);
  PutLE(out, file.VertexSize, 4);
  out.resize(256, '\0');
  out += file.Vertices;
  for (uint16_t index : file.Indices) PutLE(out, index, 2);
  return out;
}

std::string Floats(std::initializer_list<float> values) {
  std::string out;
  for (float f : values) {
    uint32_t bits;
    std::memcpy(&bits, &f, 4);
    PutLE(out, bits, 4);
  }
  return out;
}

std::string Vertex40(float x, float y, float z, uint32_t diffuse, float u, float v) {
  std::string out = Floats({x, y, z, 0, 0, -1});
  PutLE(out, diffuse, 4);
  PutLE(out, 0, 4);
  return out + Floats({u, v});
}

VzFile Version0(const std::vector<std::string>& vertices, std::vector<uint16_t> indices) {
  VzFile file;
  file.Vertices = Join(vertices);
  file.Indices = std::move(indices);
  return file;
}

VzFile Version2(uint32_t fvf, uint32_t vertexSize, const std::vector<std::string>& vertices,
                std::vector<uint16_t> indices) {
  VzFile file;
  file.Magic = "Vezurive_Geo02  ";
  file.FVF = fvf;
  file.VertexSize = vertexSize;
  file.Vertices = Join(vertices);
  file.Indices = std::move(indices);
  return file;
}

}  // namespace vuzed::test
