#pragma once
// Builds ".vz" mesh files byte by byte for tests, including broken ones.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace vuzed::test {

struct VzFile {
  std::string Magic = "Vezurive_Geo00  ";  // the first 16 bytes, zero-padded
  uint32_t FVF = 0;                         // offsets 20 and 24, read by version 2 only
  uint32_t VertexSize = 0;
  int VertexCount = -1;                     // -1: as many as Vertices holds
  int IndexCount = -1;                      // -1: Indices.size()
  std::string Vertices;                     // packed vertex bytes
  std::vector<uint16_t> Indices;
};

std::string MakeVz(const VzFile& file);

// Little-endian singles, packed.
std::string Floats(std::initializer_list<float> values);
// A version 0 vertex (40 bytes): position, normal (0, 0, -1), diffuse,
// specular 0, u, v.
std::string Vertex40(float x, float y, float z, uint32_t diffuse = 0xFFFFFFFFu, float u = 0, float v = 0);

VzFile Version0(const std::vector<std::string>& vertices, std::vector<uint16_t> indices);
VzFile Version2(uint32_t fvf, uint32_t vertexSize, const std::vector<std::string>& vertices,
                std::vector<uint16_t> indices);

}  // namespace vuzed::test
