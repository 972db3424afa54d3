#include "engine/graphics/mesh.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/archive/archive_reader.h"
#include "engine/graphics/index_buffer.h"
#include "engine/graphics/vertex_buffer.h"
#include "support/geometry_fixture.h"
#include "support/vz_writer.h"

namespace vuzed {
namespace {

using test::Floats;
using test::MakeVz;
using test::Vertex40;
using test::VzFile;

const char* const kInvalid = "VZLib: 不正なVZファイルです";
const char* const kReadError = "VZLib: ストリームからの読み込み中にエラーが発生しました";

VzFile Triangle() { return test::Version0({Vertex40(0, 0, 0), Vertex40(1, 0, 0), Vertex40(0, 1, 0)}, {0, 1, 2}); }

// A quad stored as two separate triangles: vertices 3 and 4 repeat 2 and 1.
VzFile Quad() {
  return test::Version0({Vertex40(0, 0, 0), Vertex40(1, 0, 0), Vertex40(0, 1, 0), Vertex40(0, 1, 0),
                         Vertex40(1, 0, 0), Vertex40(1, 1, 0)},
                        {0, 1, 2, 3, 4, 5});
}

class MeshTest : public test::GeometryFixture {
 protected:
  bool Load(const VzFile& file) { return Load(MakeVz(file)); }
  bool Load(const std::string& bytes) {
    std::istringstream in(bytes);
    return Mesh.LoadFromStream(in);
  }
  std::vector<uint16_t> IndexList() {
    std::vector<uint16_t> list;
    for (int i = 0; i < Mesh.IndexCount(); ++i) list.push_back(Mesh.IndexBuffer()->GetIndex(i));
    return list;
  }
  std::string VertexBytes() const {
    const GeometryImage* image = Mesh.VertexBuffer()->Image();
    return std::string(reinterpret_cast<const char*>(image->Data), size_t(image->Count) * size_t(image->Stride));
  }
  void ExpectEmpty() const {
    EXPECT_TRUE(Mesh.Empty());
    EXPECT_EQ(Mesh.VertexBuffer(), nullptr);
    EXPECT_EQ(Mesh.FaceCount(), 0);
    EXPECT_EQ(Mesh.Version(), -1);
    EXPECT_EQ(Mesh.BoundsMin(), TVector{});
    EXPECT_EQ(Mesh.BoundsMax(), TVector{});
    EXPECT_EQ(Mesh.Radius(), 0.0f);
  }

  TVZMesh Mesh{&Device, "mesh v", "mesh i"};
};

TEST_F(MeshTest, AVersion0FileWithThreeVerticesAndIndicesIsOneTriangle) {
  ASSERT_TRUE(Load(Triangle())) << Mesh.LastError();
  EXPECT_EQ(Mesh.Version(), 0);
  EXPECT_EQ(Mesh.FVF(), 0x1D2u);
  EXPECT_EQ(Mesh.Stride(), 40);
  EXPECT_EQ(Mesh.VertexCount(), 3);
  EXPECT_EQ(Mesh.IndexCount(), 3);
  EXPECT_EQ(Mesh.FaceCount(), 1);
  EXPECT_EQ(Mesh.VertexBuffer()->Pool(), d3d::POOL_MANAGED);
  EXPECT_EQ(Mesh.IndexBuffer()->Pool(), d3d::POOL_MANAGED);
  EXPECT_EQ(VertexBytes(), Triangle().Vertices);
  EXPECT_EQ(IndexList(), (std::vector<uint16_t>{0, 1, 2}));
  EXPECT_TRUE(Mesh.LastError().empty());
  EXPECT_TRUE(NewLogLines().empty());
}

TEST_F(MeshTest, TheBoundsOfAVersion2MeshComeFromTheFirstThreeSinglesOfEachVertex) {
  // Position, diffuse colour, 4 bytes of padding.
  auto vertex = [](float x, float y, float z) { return Floats({x, y, z}) + std::string(8, '\x7f'); };
  ASSERT_TRUE(Load(test::Version2(0x42, 20, {vertex(-1, 2, 3), vertex(4, -5, 6), vertex(0, 0, -7)}, {0, 1, 2})))
      << Mesh.LastError();
  EXPECT_EQ(Mesh.Version(), 2);
  EXPECT_EQ(Mesh.FVF(), 0x42u);
  EXPECT_EQ(Mesh.Stride(), 20);
  EXPECT_EQ(Mesh.BoundsMin(), (TVector{-1, -5, -7}));
  EXPECT_EQ(Mesh.BoundsMax(), (TVector{4, 2, 6}));
  EXPECT_EQ(Mesh.Centre(), (TVector{1.5f, -1.5f, -0.5f}));
  EXPECT_FLOAT_EQ(Mesh.Radius(), std::sqrt(25.0f + 49.0f + 169.0f) / 2);
}

TEST_F(MeshTest, AFileTheGameCannotUseIsLoggedAndLeavesTheMeshEmpty) {
  auto with = [](VzFile f, auto change) {
    change(f);
    return MakeVz(f);
  };
  const std::string xyz = Floats({1, 2, 3});
  struct Row {
    const char* Name;
    std::string Bytes;
    const char* Line;
  };
  const std::vector<Row> rows = {
      {"version 01", with(Triangle(), [](VzFile& f) { f.Magic = "Vezurive_Geo01  "; }), kInvalid},
      {"zero in magic", with(Triangle(), [](VzFile& f) { f.Magic = std::string("Vezurive_Geo00\0 ", 16); }),
       kInvalid},
      {"shorter than a magic", "Vezurive_Geo00", kInvalid},
      {"empty", "", kInvalid},
      {"vertex smaller than a position", MakeVz(test::Version2(0x2, 8, {Floats({1, 2})}, {})), kInvalid},
      {"vertex too wide", MakeVz(test::Version2(0x2, 300, {}, {})), kInvalid},
      {"vertex narrower than its format", MakeVz(test::Version2(0x1D2, 36, {}, {})), kInvalid},
      {"format without position", MakeVz(test::Version2(0x10, 12, {xyz}, {0, 0, 0})), kInvalid},
      {"nine coordinate sets", MakeVz(test::Version2(0x902, 255, {}, {})), kInvalid},
      {"header cut short", MakeVz(Triangle()).substr(0, 18), kReadError},
      {"header block cut short", MakeVz(test::Version0({}, {})).substr(0, 100), kReadError},
      {"more vertices than present", with(Triangle(), [](VzFile& f) { f.VertexCount = 65535; }), kReadError},
      {"more indices than present", with(Triangle(), [](VzFile& f) { f.IndexCount = 4; }), kReadError},
      {"index past the vertices", MakeVz(test::Version2(0x2, 12, {xyz, xyz, xyz}, {0, 1, 3})), kReadError},
  };
  for (const Row& row : rows) {
    ASSERT_TRUE(Load(Quad()));
    NewLogLines();
    EXPECT_FALSE(Load(row.Bytes)) << row.Name;
    EXPECT_EQ(Mesh.LastError(), row.Line) << row.Name;
    EXPECT_EQ(NewLogLines(), std::vector<std::string>{row.Line}) << row.Name;
    ExpectEmpty();
    Mesh.Weld();
    Mesh.DrawMesh();
    EXPECT_TRUE(Backend.MeshDraws.empty());
  }
  EXPECT_EQ(Halts(), 0);  // the game goes on
}

TEST_F(MeshTest, LoadFromFileNamesTheFileOrArchiveItCouldNotUse) {
  const std::string missing = (Dir.Path() / "none.vz").string();
  EXPECT_FALSE(Mesh.LoadFromFile(missing));
  EXPECT_EQ(Mesh.LastError(), "VZLib: " + missing + " が、開けません");
  EXPECT_FALSE(Mesh.LoadFromFile(Dir.Path().string()));
  EXPECT_EQ(Mesh.LastError(), "VZLib: " + Dir.Path().string() + " が、開けません");
  EXPECT_FALSE(Mesh.LoadFromFile("MESH.VZ", missing + ".vaz"));
  EXPECT_EQ(Mesh.LastError(), "VZLib: " + missing + ".vaz 内の、MESH.VZが抽出できません");
  ExpectEmpty();
  const std::string good = Dir.Write("quad.vz", MakeVz(Quad())).string();
  EXPECT_TRUE(Mesh.LoadFromFile(good));
  EXPECT_EQ(Mesh.FaceCount(), 2);
  EXPECT_EQ(Halts(), 0);
}

// Reads a plain (flag 0) archive built here by hand. Until the archive reader
// lands, extraction always fails and this test is skipped.
TEST_F(MeshTest, AnArchiveEntryLoadsLikeAFile) {
  const std::string mesh = MakeVz(Quad());
  std::string archive(256, '\0');
  std::memcpy(&archive[4], "VAZ0", 4);
  archive[8] = 1;  // one entry
  std::string row(268, '\0');
  const uint32_t offset = 256 + 268, size = uint32_t(mesh.size());
  std::memcpy(&row[0], &offset, 4);
  std::memcpy(&row[4], &size, 4);
  std::memcpy(&row[8], &size, 4);
  std::memcpy(&row[12], "data\\quad.vz", 12);
  const std::string path = Dir.Write("meshes.vaz", archive + row + mesh).string();
  try {
    ExtractFromArchive(path, "DATA\\QUAD.VZ");
  } catch (const EVRKError& e) {
    if (std::string(e.what()) == "Zazavive Archiveの扱えるデータではありません")
      GTEST_SKIP() << "archive reader not available";
  }
  ASSERT_TRUE(Mesh.LoadFromFile("DATA\\QUAD.VZ", path)) << Mesh.LastError();
  EXPECT_EQ(Mesh.VertexCount(), 6);
  EXPECT_EQ(Mesh.FaceCount(), 2);
}

TEST_F(MeshTest, WeldMergesEqualVerticesAndRenumbersTheIndices) {
  struct Row {
    const char* Name;
    VzFile File;
    std::vector<int> Kept;  // which input vertices remain, in order
    std::vector<uint16_t> Indices;
  };
  const VzFile quad = Quad();
  VzFile scattered = test::Version0({Vertex40(5, 0, 0), Vertex40(6, 0, 0), Vertex40(5, 0, 0), Vertex40(7, 0, 0),
                                     Vertex40(6, 0, 0), Vertex40(8, 0, 0)},
                                    {5, 4, 3, 2, 1, 0});
  for (const Row& row : {Row{"quad", quad, {0, 1, 2, 5}, {0, 1, 2, 2, 1, 3}},
                         Row{"scattered", scattered, {0, 1, 3, 5}, {3, 1, 2, 0, 1, 0}},
                         Row{"nothing equal", Triangle(), {0, 1, 2}, {0, 1, 2}}}) {
    ASSERT_TRUE(Load(row.File));
    const TVector min = Mesh.BoundsMin(), max = Mesh.BoundsMax();
    Mesh.Weld();
    std::string expected;
    for (int k : row.Kept) expected += row.File.Vertices.substr(size_t(k) * 40, 40);
    EXPECT_EQ(Mesh.VertexCount(), int(row.Kept.size())) << row.Name;
    EXPECT_EQ(VertexBytes(), expected) << row.Name;
    EXPECT_EQ(IndexList(), row.Indices) << row.Name;
    EXPECT_EQ(Mesh.FaceCount(), int(row.Indices.size()) / 3) << row.Name;
    EXPECT_EQ(Mesh.BoundsMin(), min);
    EXPECT_EQ(Mesh.BoundsMax(), max);
  }
}

TEST_F(MeshTest, DrawMeshSplitsTheTrianglesByTheDevicesPrimitiveLimit) {
  Backend.Caps.MaxPrimitiveCount = 2;
  TVZMesh mesh(&Device, "v", "i");
  std::vector<uint16_t> indices(23, 0);  // 7 triangles and 2 spare indices
  std::istringstream in(MakeVz(test::Version0({Vertex40(0, 0, 0)}, indices)));
  ASSERT_TRUE(mesh.LoadFromStream(in));
  mesh.DrawMesh();
  const GeometryImage& v = *mesh.VertexBuffer()->Image();
  const GeometryImage& i = *mesh.IndexBuffer()->Image();
  std::vector<std::pair<int, int>> calls;
  for (const auto& call : Backend.MeshDraws) {
    calls.emplace_back(call.StartIndex, call.PrimitiveCount);
    EXPECT_EQ(call.VertexBufferId, v.Id);
    EXPECT_EQ(call.IndexBufferId, i.Id);
    EXPECT_EQ(call.VertexVersion, v.Version);
    EXPECT_EQ(call.IndexVersion, i.Version);
    EXPECT_EQ(call.VertexCount, 1);
    EXPECT_EQ(call.IndexCount, 23);
  }
  EXPECT_EQ(calls, (std::vector<std::pair<int, int>>{{0, 2}, {6, 2}, {12, 2}, {18, 1}}));

  Backend.MeshDraws.clear();
  Device.ReleaseAllResources();
  mesh.DrawMesh();  // nothing to draw while the device is away
  EXPECT_TRUE(Backend.MeshDraws.empty());
  Device.RebuildAllResources();
  mesh.DrawMesh();
  EXPECT_EQ(Backend.MeshDraws.size(), 4u);
}

TEST_F(MeshTest, MoreVerticesThanTheDeviceCanIndexIsOnlyLogged) {
  Backend.Caps.MaxVertexIndex = 2;
  TVZMesh mesh(&Device, "v", "i");
  std::istringstream in(MakeVz(Triangle()));
  EXPECT_TRUE(mesh.LoadFromStream(in));
  EXPECT_EQ(NewLogLines(),
            std::vector<std::string>{"VZLib : このハードウェアでは、最大 2 までしか頂点インデクスを振る事ができません"});
  EXPECT_EQ(mesh.FaceCount(), 1);
}

}  // namespace
}  // namespace vuzed
