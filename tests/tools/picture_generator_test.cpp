// The picture generator (tools/pictures) end to end: its output is the same
// bytes on every run, and the game's own tables load every picture it wrote,
// with the sizes the drawing code relies on and the key colour where a
// sprite is transparent.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "back/texture_list.h"
#include "engine/graphics/pixel_format.h"
#include "game/game_context.h"
#include "support/game_fixture.h"
#include "support/test_dir.h"
#include "support/tool_runner.h"

namespace vuzed {
namespace {

namespace fs = std::filesystem;

// The generator is built beside vuzed-tool, at the top of the build directory.
fs::path GeneratorPath() { return fs::path(VUZED_TOOL).parent_path() / "vuzed-pictures"; }

void Generate(const fs::path& dataDir) {
  ASSERT_TRUE(fs::exists(GeneratorPath())) << GeneratorPath() << " has not been built";
  const std::string command = "'" + GeneratorPath().string() + "' '" + dataDir.string() + "' 2>/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

std::map<std::string, std::string> ReadTree(const fs::path& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    files[fs::relative(entry.path(), root).string()] = bytes.str();
  }
  return files;
}

// The pictures the build generated for this commit (the tests depend on the
// generator's run), beside vuzed-tool.
fs::path BuildData() { return fs::path(VUZED_TOOL).parent_path() / "data"; }

void CopyRunTo(const fs::path& root) {
  fs::create_directories(root / "data");
  fs::copy(BuildData() / "Graphic", root / "data" / "Graphic",
           fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

TEST(PictureGenerator, ARunWritesTheSameBytesAsTheBuildWithinTheBudget) {
  test::TempDir fresh;
  Generate(fresh.Path());
  const auto written = ReadTree(fresh.Path());
  ASSERT_GT(written.size(), 200u);
  size_t total = 0;
  for (const auto& [name, bytes] : written) {
    std::ifstream in(BuildData() / name, std::ios::binary);
    std::stringstream built;
    built << in.rdbuf();
    EXPECT_TRUE(built.str() == bytes) << name << " differs from the build's";
    total += bytes.size();
  }
  EXPECT_LT(total, 16u << 20);
}

struct PictureTablesTest : ::testing::Test {
  void SetUp() override {
    CopyRunTo(g.Dir.Path());
    g.Dir.Write("data/information.ini", "[Screen]\nFullScreen=0\n");
    g.Start();
  }
  TTextureList& List() { return *g.Game().TextureList; }
  static uint32_t Alpha(const TMXTexture& t, int x, int y) { return PixelToColor(t.PixelAt(x, y), t.Format()) >> 24; }
  test::GameFixture g;
};

TEST_F(PictureTablesTest, EveryWrittenPictureLoadsAndSpritesAreKeyedAtTheCorners) {
  int loaded = 0;
  for (const TPictureTableInfo& info : kPictureTables) {
    std::string folder = info.Folder;
    for (char& c : folder)
      if (c == '\\') c = '/';
    for (const auto& entry : fs::directory_iterator(g.Dir.Path() / folder)) {
      const int n = std::stoi(entry.path().stem().string());
      ASSERT_LE(n, info.LastNumber) << entry.path() << " is past the end of its table";
      const TMXTexture* t = List().Get(info.Table, n);
      ASSERT_NE(t, nullptr) << entry.path() << " did not load";
      ++loaded;
      // Backgrounds, the screen frame and the boss gauge (a bar stretched to
      // its width) cover their whole picture.
      const bool covers = info.Table == TPictureTable::Back || (info.Table == TPictureTable::Else && (n == 25 || n == 30));
      const int w = t->Width(), h = t->Height();
      for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}})
        EXPECT_EQ(Alpha(*t, x, y), covers ? 255u : 0u) << entry.path() << " at " << x << "," << y;
    }
  }
  EXPECT_GT(loaded, 200);
  // The screen frame leaves the playfield open and covers the status area.
  const TMXTexture* frame = List().Get(TPictureTable::Else, 25);
  EXPECT_EQ(Alpha(*frame, 230, 240), 0u);
  EXPECT_EQ(Alpha(*frame, 30, 15), 0u);
  EXPECT_EQ(Alpha(*frame, 28, 240), 255u);
  EXPECT_EQ(Alpha(*frame, 530, 300), 255u);
  // Sprites are solid where they are drawn: the ship's centre, a bullet's.
  const TMXTexture* ship = List().Get(TPictureTable::Player, 1);
  EXPECT_EQ(Alpha(*ship, ship->Width() / 2, ship->Height() / 2), 255u);
  const TMXTexture* bullet = List().Get(TPictureTable::Bullet, 15);
  EXPECT_EQ(Alpha(*bullet, bullet->Width() / 2, bullet->Height() / 2), 255u);
  ASSERT_NE(List().TitleTexture(), nullptr);
  EXPECT_EQ(Alpha(*List().TitleTexture(), 0, 0), 0u);
}

TEST_F(PictureTablesTest, PicturesTheGameNamesAreThereInTheSizesItDrawsThem) {
  struct Need {
    TPictureTable Table;
    std::vector<int> Numbers;
  };
  const std::vector<Need> needs{
      {TPictureTable::Player, {1, 2, 3, 4, 5, 11}},
      {TPictureTable::Bullet, {0, 60, 61, 62, 63, 64, 65, 66, 67, 10, 20, 30, 50, 70, 80, 100, 109}},
      {TPictureTable::Else, {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 15, 16, 17, 18, 19, 20, 21,
                             25, 29, 30, 31, 32, 34, 35, 36, 39, 40, 41, 42, 43, 44, 45, 46, 47, 49, 50, 52, 53,
                             70, 71, 72, 73, 74, 75, 76}},
      {TPictureTable::Effect, {1, 5, 10}},
      {TPictureTable::Back, {0, 1, 20, 30}},
  };
  for (const Need& need : needs)
    for (int n : need.Numbers) EXPECT_NE(List().Get(need.Table, n), nullptr) << int(need.Table) << " " << n;

  auto size = [&](TPictureTable table, int n) {
    const TMXTexture* t = List().Get(table, n);
    return t ? std::pair{t->Width(), t->Height()} : std::pair{0, 0};
  };
  // Numbers are drawn digit by digit 20 pixels apart.
  for (int d = 0; d <= 9; ++d) EXPECT_EQ(size(TPictureTable::Else, d).first, 20) << d;
  // Full-screen pictures.
  EXPECT_EQ(size(TPictureTable::Else, 25), (std::pair{640, 480}));
  for (int n : {0, 1, 20, 30}) EXPECT_EQ(size(TPictureTable::Back, n), (std::pair{640, 480})) << n;
  // The explosion sheet is 8 cells by 2.
  const auto [ew, eh] = size(TPictureTable::Effect, 1);
  EXPECT_TRUE(ew > 0 && ew % 8 == 0 && eh % 2 == 0) << ew << "x" << eh;
  // Scrolling tiles repeat in a 3 x 3 block round their point: only sides of
  // 480 and more cover the screen wherever the point is.
  for (int n : {2, 3, 4, 5, 6, 7, 40, 41, 42, 43, 44, 45, 46, 47}) {
    const auto [w, h] = size(TPictureTable::Back, n);
    EXPECT_GE(w, 480) << n;
    EXPECT_GE(h, 480) << n;
  }
  // The opening logo and the loading picture are loaded outside the tables.
  for (const char* path : {"data\\Graphic\\Other\\9.bmp", "data\\Graphic\\Other\\10.bmp"})
    EXPECT_NE(TTextureList::LoadPicture(g.Game(), path, 0, MakeColor(255, 0, 0, 0)), nullptr) << path;
}

// The 3D backgrounds' meshes, read straight from their bytes.
struct MeshFile {
  std::string Bytes;
  int Version = -1, Stride = 0, Vertices = 0, Indices = 0;
  uint32_t Fvf = 0;

  template <typename T>
  T Get(size_t at) const {
    T v;
    std::memcpy(&v, Bytes.data() + at, sizeof v);
    return v;
  }
  size_t VertexAt(int i) const { return 256 + size_t(i) * size_t(Stride); }
  float Coord(int i, int k) const { return Get<float>(VertexAt(i) + 4 * size_t(k)); }  // 0..2 position, 3..5 normal
  int Index(int k) const { return Get<uint16_t>(VertexAt(Vertices) + 2 * size_t(k)); }
};

MeshFile ReadMesh(const char* name) {
  MeshFile m;
  std::ifstream in(BuildData() / "Graphic" / "VZ" / name, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  m.Bytes = bytes.str();
  if (m.Bytes.size() < 256) return m;
  const std::string magic = m.Bytes.substr(0, 16);
  m.Version = magic == "Vezurive_Geo00  " ? 0 : magic == "Vezurive_Geo02  " ? 2 : -1;
  m.Vertices = m.Get<uint16_t>(16);
  m.Indices = m.Get<uint16_t>(18);
  m.Fvf = m.Version == 2 ? m.Get<uint32_t>(20) : 0x1D2;
  m.Stride = m.Version == 2 ? int(m.Get<uint32_t>(24)) : 40;
  return m;
}

// Checks what every background mesh needs and returns its z extent.
float CheckMesh(const MeshFile& m, int version) {
  EXPECT_EQ(m.Version, version);
  // Position, normal, diffuse, specular, one u v: the layout the stride must match.
  EXPECT_EQ(m.Fvf, 0x1D2u);
  EXPECT_EQ(m.Stride, 40);
  EXPECT_EQ(m.Bytes.size(), 256u + size_t(m.Vertices) * size_t(m.Stride) + 2u * size_t(m.Indices));
  EXPECT_GT(m.Indices, 0);
  EXPECT_EQ(m.Indices % 3, 0);
  if (m.Bytes.size() != 256u + size_t(m.Vertices) * size_t(m.Stride) + 2u * size_t(m.Indices)) return 0;
  for (int i = 0; i < m.Vertices; ++i) EXPECT_EQ(m.Get<uint32_t>(m.VertexAt(i) + 24) >> 24, 255u) << "diffuse alpha of " << i;
  // Every triangle appears clockwise (is drawn) from the side its normals face.
  for (int k = 0; k + 2 < m.Indices; k += 3) {
    const int a = m.Index(k), b = m.Index(k + 1), c = m.Index(k + 2);
    if (a >= m.Vertices || b >= m.Vertices || c >= m.Vertices) {
      ADD_FAILURE() << "triangle " << k / 3 << " indexes past the vertices";
      return 0;
    }
    float e1[3], e2[3], n[3];
    for (int j = 0; j < 3; ++j) {
      e1[j] = m.Coord(b, j) - m.Coord(a, j);
      e2[j] = m.Coord(c, j) - m.Coord(a, j);
      n[j] = m.Coord(a, 3 + j) + m.Coord(b, 3 + j) + m.Coord(c, 3 + j);
    }
    const float face[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2], e1[0] * e2[1] - e1[1] * e2[0]};
    EXPECT_GT(face[0] * n[0] + face[1] * n[1] + face[2] * n[2], 0) << "triangle " << k / 3 << " is wound backwards";
  }
  float lo = 1e9f, hi = -1e9f;
  for (int i = 0; i < m.Vertices; ++i) {
    lo = std::min(lo, m.Coord(i, 2));
    hi = std::max(hi, m.Coord(i, 2));
  }
  return hi - lo;
}

TEST(BackgroundMeshes, TheRoadSegmentIsSixUnitsLongAndStoredWithCopiesForTheWeld) {
  const MeshFile m = ReadMesh("777.vz");
  EXPECT_NEAR(CheckMesh(m, 0), 6.f, 0.01f);
  std::set<std::string> distinct;
  for (int i = 0; i < m.Vertices; ++i) distinct.insert(m.Bytes.substr(m.VertexAt(i), 40));
  EXPECT_LE(distinct.size() * 3, size_t(m.Vertices) * 2) << "a third of the vertices should be copies";
}

TEST(BackgroundMeshes, TheTunnelRingIsAboutOneUnitLongAndFacesItsAxis) {
  const MeshFile m = ReadMesh("3dback_l3.vz");
  const float length = CheckMesh(m, 2);
  EXPECT_GE(length, 1.0f);
  EXPECT_LE(length, 1.1f);
  for (int i = 0; i < m.Vertices; ++i)
    EXPECT_LE(m.Coord(i, 0) * m.Coord(i, 3) + m.Coord(i, 1) * m.Coord(i, 4), 1e-5f) << "vertex " << i << " faces outwards";
}

TEST(BackgroundMeshes, TexturesArePowerOfTwoDuskyAndNeverTheWhiteKey) {
  for (const char* name : {"22tex.bmp", "97tex.bmp"}) {
    std::ifstream in(BuildData() / "Graphic" / "VZ" / name, std::ios::binary);
    const std::string b{std::istreambuf_iterator<char>(in), {}};
    ASSERT_GT(b.size(), 54u) << name;
    const auto u32 = [&](size_t at) { uint32_t v; std::memcpy(&v, b.data() + at, 4); return v; };
    const uint32_t w = u32(18), h = u32(22), offset = u32(10);
    EXPECT_EQ(b[28], 24) << name;
    EXPECT_TRUE(w >= 64 && (w & (w - 1)) == 0 && h >= 64 && (h & (h - 1)) == 0) << name << " " << w << "x" << h;
    ASSERT_EQ(b.size(), offset + size_t(w) * h * 3) << name;
    double sum = 0;
    int nearWhite = 0;
    for (size_t p = offset; p < b.size(); p += 3) {
      const int bl = uint8_t(b[p]), g = uint8_t(b[p + 1]), r = uint8_t(b[p + 2]);
      // Nor so near white that a 5-bit store would make it white.
      nearWhite += r >= 248 && g >= 248 && bl >= 248;
      sum += 0.3 * r + 0.59 * g + 0.11 * bl;
    }
    EXPECT_EQ(nearWhite, 0) << name;
    EXPECT_LT(sum / (double(w) * h), 90.0) << name << " is too bright to sit behind the bullets";
  }
}

TEST(PictureGenerator, TheGameBootsOverThePicturesWithoutLoadErrors) {
  test::TempDir root;
  CopyRunTo(root.Path());
  root.Write("data/information.ini", "[Screen]\nFullScreen=0\n");
  const test::ToolResult r = test::RunTool({"run", "--root", root.Path().string(), "--boot", "--frames", "240"});
  EXPECT_EQ(r.Status, 0) << r.Err;
  const std::string log = root.Read("Dovivez_DebugLog.txt");
  ASSERT_NE(log.find("Player"), std::string::npos) << "the tables were not loaded";
  for (const char* failure : {"BMPファイル", "LoadBMP", "ビットマップの読みこみ"})
    EXPECT_EQ(log.find(failure), std::string::npos) << log;
}

}  // namespace
}  // namespace vuzed
