#include "vz_file.h"

#include <cmath>
#include <cstring>
#include <stdexcept>

namespace vuzed::pictures {

Vec3 operator+(const Vec3& a, const Vec3& b) { return {a.X + b.X, a.Y + b.Y, a.Z + b.Z}; }
Vec3 operator-(const Vec3& a, const Vec3& b) { return {a.X - b.X, a.Y - b.Y, a.Z - b.Z}; }
Vec3 operator*(const Vec3& a, float k) { return {a.X * k, a.Y * k, a.Z * k}; }
Vec3 Cross(const Vec3& a, const Vec3& b) {
  return {a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X};
}
float Dot(const Vec3& a, const Vec3& b) { return a.X * b.X + a.Y * b.Y + a.Z * b.Z; }
Vec3 Normalised(const Vec3& v) {
  const float l = std::sqrt(Dot(v, v));
  return l > 0 ? v * (1 / l) : Vec3{};
}

uint16_t VzMesh::Add(const VzVertex& v) {
  if (Vertices.size() >= 0xFFFF) throw std::length_error("mesh has too many vertices");
  Vertices.push_back(v);
  return uint16_t(Vertices.size() - 1);
}

void VzMesh::Quad(const Corner& a, const Corner& b, const Corner& c, const Corner& d, const Vec3& normal,
                  uint32_t specular) {
  const size_t first = Vertices.size();
  SmoothQuad({a, b, c, d}, {normal, normal, normal, normal});
  for (size_t i = first; i < Vertices.size(); ++i) Vertices[i].Specular = specular;
}

void VzMesh::SmoothQuad(const Corner (&k)[4], const Vec3 (&n)[4]) {
  VzVertex v[4];
  for (int i = 0; i < 4; ++i) v[i] = {k[i].P, Normalised(n[i]), 0xFFFFFFFF, 0xFF000000, k[i].U, k[i].V};
  // Front faces appear clockwise: (b - a) x (c - a) points towards the viewer,
  // which is where the normals point. Otherwise go round the other way.
  const Vec3 face = Cross(v[1].Position - v[0].Position, v[2].Position - v[0].Position);
  const bool flip = Dot(face, v[0].Normal + v[1].Normal + v[2].Normal + v[3].Normal) < 0;
  const int order[4] = {0, flip ? 3 : 1, 2, flip ? 1 : 3};
  constexpr int triangles[6] = {0, 1, 2, 0, 2, 3};
  if (SeparateCorners) {
    for (int t : triangles) Indices.push_back(Add(v[order[t]]));
    return;
  }
  uint16_t shared[4];
  for (int i = 0; i < 4; ++i) shared[i] = Add(v[order[i]]);
  for (int t : triangles) Indices.push_back(shared[t]);
}

namespace {

void Put(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

void PutFloat(std::vector<uint8_t>& out, float f) {
  uint32_t bits;
  std::memcpy(&bits, &f, 4);
  Put(out, bits, 4);
}

}  // namespace

std::vector<uint8_t> EncodeVz(const VzMesh& mesh, int version) {
  if (version != 0 && version != 2) throw std::invalid_argument("mesh files come in versions 0 and 2");
  if (mesh.Vertices.size() > 0xFFFF || mesh.Indices.size() > 0xFFFF) throw std::length_error("mesh too large");
  std::vector<uint8_t> out(version == 0 ? "Vezurive_Geo00  " : "Vezurive_Geo02  ",
                           (version == 0 ? "Vezurive_Geo00  " : "Vezurive_Geo02  ") + 16);
  Put(out, uint32_t(mesh.Vertices.size()), 2);
  Put(out, uint32_t(mesh.Indices.size()), 2);
  if (version == 2) {
    Put(out, kVzFvf, 4);
    Put(out, kVzStride, 4);
  }
  out.resize(256, 0);
  for (const VzVertex& v : mesh.Vertices) {
    for (float f : {v.Position.X, v.Position.Y, v.Position.Z, v.Normal.X, v.Normal.Y, v.Normal.Z}) PutFloat(out, f);
    Put(out, v.Diffuse, 4);
    Put(out, v.Specular, 4);
    PutFloat(out, v.U);
    PutFloat(out, v.V);
  }
  for (uint16_t i : mesh.Indices) Put(out, i, 2);
  return out;
}

}  // namespace vuzed::pictures
