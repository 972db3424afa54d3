#pragma once
// TVZMesh: one background mesh loaded from a ".vz" file (or an archive entry)
// into a vertex and an index buffer, with its bounding box and sphere.
//
// The ".vz" file, little-endian; the header block is 256 bytes from the start
// of the mesh:
//   0   16  magic "Vezurive_Geo00  " (version 0) or "Vezurive_Geo02  "
//           (version 2), compared as text up to the first zero byte
//   16  2   vertex count (unsigned)
//   18  2   index count (unsigned)
//   20  4   version 2 only: FVF
//   24  4   version 2 only: vertex size in bytes
//   256     the vertices, packed in the FVF's layout, then index count
//           16-bit indices of a triangle list
// Version 0 means FVF 1D2 (position, normal, diffuse, specular, one u v) and
// 40-byte vertices. In every version a vertex starts with its position.

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>

#include "engine/graphics/vz_math.h"

namespace vuzed {

class EngineLog;
class TDovivez;
class TMXVertexBuffer;
class TMXIndexBuffer;

class TVZMesh {
 public:
  static constexpr uint32_t kVersion0FVF = 0x1D2;
  static constexpr int kVersion0Stride = 40;
  // Direct3D 9 hardware draws no vertex wider than this.
  static constexpr int kMaxVertexSize = 256;

  TVZMesh(TDovivez* device, std::string vertexBufferName, std::string indexBufferName);
  ~TVZMesh();
  TVZMesh(const TVZMesh&) = delete;
  TVZMesh& operator=(const TVZMesh&) = delete;

  // A mesh that cannot be opened, extracted, recognised or read writes its
  // "VZLib" line to the engine log, is left empty and returns false; the
  // game goes on without it. LastError() keeps the line.
  bool LoadFromFile(const std::string& path, const std::string& archive = "");
  bool LoadFromStream(std::istream& stream);
  void ComputeBounds();
  // Merges vertices that are equal byte for byte and renumbers the indices.
  void Weld();
  // Draws every triangle, in as few calls as the device's primitive limit
  // allows. The caller has set the transforms, material and texture.
  void DrawMesh();

  // True while the mesh has no buffers (nothing loaded, or the load failed).
  bool Empty() const;
  int Version() const { return Version_; }
  uint32_t FVF() const;
  int Stride() const;
  int VertexCount() const;
  int IndexCount() const;
  int FaceCount() const { return FaceCount_; }
  const TVector& BoundsMin() const { return Min_; }
  const TVector& BoundsMax() const { return Max_; }
  const TVector& Centre() const { return Centre_; }
  float Radius() const { return Radius_; }
  const std::string& LastError() const { return LastError_; }
  TMXVertexBuffer* VertexBuffer() const { return Vertices_.get(); }
  TMXIndexBuffer* IndexBuffer() const { return Indices_.get(); }

 private:
  // The device's engine log; nullptr without a device.
  EngineLog* Log() const;
  // Frees both buffers and zeroes the counts and bounds.
  void Clear();
  // Logs text, keeps it in LastError, leaves the mesh empty; returns false.
  bool Fail(const std::string& text);
  bool ReadBody(std::istream& stream, std::streampos start, int vertexCount, int indexCount);

  TDovivez* Device_;
  std::string VertexBufferName_, IndexBufferName_;
  std::unique_ptr<TMXVertexBuffer> Vertices_;
  std::unique_ptr<TMXIndexBuffer> Indices_;
  int Version_ = -1;
  int FaceCount_ = 0;
  TVector Min_{}, Max_{}, Centre_{};
  float Radius_ = 0;
  std::string LastError_;
  uint32_t MaxPrimitiveCount_ = 0, MaxVertexIndex_ = 0;
};

}  // namespace vuzed
