// TVZMesh: reading ".vz" files and archive entries (the format is in mesh.h).

#include <bit>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <istream>

#include "engine/archive/archive_reader.h"
#include "engine/graphics/d3d_types.h"
#include "engine/graphics/engine_log.h"
#include "engine/graphics/fvf_layout.h"
#include "engine/graphics/index_buffer.h"
#include "engine/graphics/mesh.h"
#include "engine/graphics/vertex_buffer.h"

namespace vuzed {
namespace {

// Indices are read into the index buffer as the file stores them.
static_assert(std::endian::native == std::endian::little, "16-bit indices are stored little-endian");

constexpr char kMagic0[] = "Vezurive_Geo00  ";
constexpr char kMagic2[] = "Vezurive_Geo02  ";
constexpr int kMagicSize = 16;
constexpr int kHeaderSize = 256;
constexpr int kPositionSize = 12;

const char* const kInvalidFile = "VZLib: 不正なVZファイルです";
const char* const kReadError = "VZLib: ストリームからの読み込み中にエラーが発生しました";

uint32_t ReadLE(const uint8_t* p, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

// True when exactly size bytes arrived.
bool ReadExactly(std::istream& stream, void* to, int64_t size) {
  if (size == 0) return true;
  stream.read(static_cast<char*>(to), std::streamsize(size));
  return stream.gcount() == std::streamsize(size);
}

// Bytes from start to the end of a seekable stream; -1 when it cannot tell.
// The read position is left where it was.
int64_t BytesFrom(std::istream& stream, std::streampos start) {
  const std::streampos here = stream.tellg();
  stream.seekg(0, std::ios::end);
  const std::streampos end = stream.tellg();
  stream.clear();
  stream.seekg(here);
  if (here == std::streampos(-1) || end == std::streampos(-1)) return -1;
  return int64_t(end - start);
}

}  // namespace

bool TVZMesh::LoadFromFile(const std::string& path, const std::string& archive) {
  LastError_.clear();
  if (!archive.empty()) {
    std::unique_ptr<std::stringstream> entry;
    try {
      entry = ExtractFromArchive(archive, path);
    } catch (const std::exception&) {
      entry.reset();
    }
    if (!entry) return Fail("VZLib: " + archive + " 内の、" + path + "が抽出できません");
    return LoadFromStream(*entry);
  }
  std::error_code ec;
  std::ifstream file;
  // Only a regular file: a FIFO or a device would block the open or never end.
  if (std::filesystem::is_regular_file(path, ec)) file.open(path, std::ios::binary);
  if (!file.is_open()) return Fail("VZLib: " + path + " が、開けません");
  return LoadFromStream(file);
}

bool TVZMesh::LoadFromStream(std::istream& stream) {
  LastError_.clear();
  Clear();
  const std::streampos start = stream.tellg();
  if (start == std::streampos(-1)) return Fail(kReadError);

  // The magic is text up to its first zero byte.
  char magic[kMagicSize];
  if (!ReadExactly(stream, magic, kMagicSize)) return Fail(kInvalidFile);
  const std::string text(magic, strnlen(magic, kMagicSize));
  const int version = text == kMagic0 ? 0 : text == kMagic2 ? 2 : -1;
  if (version < 0) return Fail(kInvalidFile);

  uint8_t fields[12];
  if (!ReadExactly(stream, fields, version == 2 ? 12 : 4)) return Fail(kReadError);
  const int vertexCount = int(ReadLE(fields, 2));
  const int indexCount = int(ReadLE(fields + 2, 2));
  uint32_t format = kVersion0FVF;
  int64_t stride = kVersion0Stride;
  if (version == 2) {
    format = ReadLE(fields + 4, 4);
    stride = ReadLE(fields + 8, 4);
    // A vertex starts with its position, holds everything its format names,
    // and is no wider than hardware draws.
    const int formatSize = FVFVertexSize(format);
    if (!FVFHasPosition(format) || formatSize < 0 || stride < kPositionSize || stride < formatSize ||
        stride > kMaxVertexSize)
      return Fail(kInvalidFile);
  }

  // Nothing is allocated for data a seekable stream does not hold.
  const int64_t bodyBytes = vertexCount * stride + int64_t(indexCount) * TMXIndexBuffer::kIndexSize;
  const int64_t present = BytesFrom(stream, start);
  if (present >= 0 && present < kHeaderSize + bodyBytes) return Fail(kReadError);

  if (MaxVertexIndex_ < uint32_t(vertexCount)) {
    char line[256];
    std::snprintf(line, sizeof line, "VZLib : このハードウェアでは、最大 %u までしか頂点インデクスを振る事ができません",
                  MaxVertexIndex_);
    WriteLog(Log(), line);
  }
  Vertices_ = std::make_unique<TMXVertexBuffer>(Device_, VertexBufferName_, d3d::POOL_MANAGED, format, 0,
                                                int(stride), vertexCount);
  Indices_ = std::make_unique<TMXIndexBuffer>(Device_, IndexBufferName_, d3d::POOL_MANAGED, 0, indexCount);
  if (!ReadBody(stream, start, vertexCount, indexCount)) return Fail(kReadError);
  FaceCount_ = indexCount / 3;
  Version_ = version;
  ComputeBounds();
  return true;
}

// The vertices at start + 256, then the indices; every index must name one
// of the vertices.
bool TVZMesh::ReadBody(std::istream& stream, std::streampos start, int vertexCount, int indexCount) {
  if (!Vertices_->HasBuffer() || !Indices_->HasBuffer()) return false;
  stream.clear();
  if (!stream.seekg(start + std::streamoff(kHeaderSize))) return false;

  uint8_t* vertices = Vertices_->Lock(0, 0, 0);
  if (!vertices) return false;
  const bool vertexRead = ReadExactly(stream, vertices, int64_t(vertexCount) * Vertices_->Stride());
  Vertices_->Unlock();
  if (!vertexRead) return false;

  uint8_t* indices = Indices_->Lock(0, 0, 0);
  if (!indices) return false;
  bool indexRead = ReadExactly(stream, indices, int64_t(indexCount) * TMXIndexBuffer::kIndexSize);
  for (int i = 0; indexRead && i < indexCount; ++i) {
    uint16_t index;
    std::memcpy(&index, indices + i * TMXIndexBuffer::kIndexSize, sizeof index);
    indexRead = index < vertexCount;
  }
  Indices_->Unlock();
  return indexRead;
}

}  // namespace vuzed
