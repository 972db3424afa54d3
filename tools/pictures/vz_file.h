#pragma once
// ".vz" mesh files as the scene library loads them. All numbers little-endian.
// The header block is 256 bytes: the 16-byte magic "Vezurive_Geo00  " or
// "Vezurive_Geo02  " (two trailing spaces), the vertex count (u16) at 16, the
// index count (u16) at 18, for version 2 the FVF (u32) at 20 and the vertex
// size (u32) at 24, zeros to the end. Then the vertices, packed, then the
// 16-bit indices of a triangle list. Version 0 always means FVF 1D2.
//
// Our meshes always use FVF 1D2 (position, normal, diffuse, specular, one
// u v pair: 40 bytes). Coordinates follow Direct3D: left-handed, x right, y up,
// z into the screen; a triangle is drawn when it appears clockwise on screen,
// so its front side is the one towards which (b - a) x (c - a) points.

#include <cstdint>
#include <vector>

namespace vuzed::pictures {

struct Vec3 {
  float X = 0, Y = 0, Z = 0;
};
Vec3 operator+(const Vec3& a, const Vec3& b);
Vec3 operator-(const Vec3& a, const Vec3& b);
Vec3 operator*(const Vec3& a, float k);
Vec3 Cross(const Vec3& a, const Vec3& b);
float Dot(const Vec3& a, const Vec3& b);
Vec3 Normalised(const Vec3& v);

struct VzVertex {
  Vec3 Position, Normal;
  uint32_t Diffuse = 0xFFFFFFFF;  // ARGB
  uint32_t Specular = 0xFF000000;
  float U = 0, V = 0;
};

constexpr uint32_t kVzFvf = 0x1D2;  // XYZ | NORMAL | DIFFUSE | SPECULAR | TEX1
constexpr int kVzStride = 40;

// A triangle list under construction.
class VzMesh {
 public:
  // A flat quad: corners in order round it (either way), each with its u v,
  // split into two triangles wound so that the side `normal` points to is the
  // front. With SeparateCorners every triangle gets its own three vertices
  // (the two corners the triangles share are stored twice, byte for byte, for
  // the loader's weld to merge); otherwise the quad's four are shared.
  struct Corner {
    Vec3 P;
    float U, V;
  };
  void Quad(const Corner& a, const Corner& b, const Corner& c, const Corner& d, const Vec3& normal,
            uint32_t specular = 0xFF000000);
  // As Quad, but each corner has its own normal (smooth shading); the front
  // is the side the normals' sum points to.
  void SmoothQuad(const Corner (&corners)[4], const Vec3 (&normals)[4]);

  bool SeparateCorners = false;
  std::vector<VzVertex> Vertices;
  std::vector<uint16_t> Indices;

 private:
  uint16_t Add(const VzVertex& v);
};

std::vector<uint8_t> EncodeVz(const VzMesh& mesh, int version);

}  // namespace vuzed::pictures
