// The meshes of the 3D stage backgrounds, written to Graphic/VZ/. The game
// places eleven copies of a mesh one after another along z and moves them
// towards the camera, so each mesh is one piece of an endless scene that
// joins its neighbours. Everything faces inwards, towards the camera's path.
//
// 777.vz, the lantern road (stages 1 to 3): a segment 6 units long, local z
// -3..3, placed 0.2 above the camera's height. A paved road at y = -1, grass
// verges to x = +-3, low walls capped with tiles, distant roofs or trees on
// panels at x = +-7 and a sky arching over them to y = 6.7; a lantern post
// on each side (left at z = -1.5, right at z = +1.5). Every triangle keeps
// its own corners, so the loader's weld has copies to merge.
//
// 3dback_l3.vz, the tunnel (stage 4 and the extra stage): a ring round the z
// axis, radius 1.8, 16 sides, local z -0.5..0.5, with a rib standing in at
// its far end that hides the small gaps the placement leaves between rings.
// The copies spin about z together.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "background_atlas.h"
#include "families.h"
#include "vz_file.h"

namespace vuzed::pictures {
namespace {

using Corner = VzMesh::Corner;
constexpr float Pi = std::numbers::pi_v<float>;

// A warm glint on the lantern paper; everything else has no highlight.
constexpr uint32_t LanternGlint = 0xFF1A0E04;
constexpr uint32_t RibGlint = 0xFF050306;

struct Point2 {
  float X, Y;
};

// A strip of the corridor's cross-section, from a to b, drawn the whole
// length of the segment in three pieces; t runs from ta at a to tb at b.
void Strip(VzMesh& m, Point2 a, Point2 b, Point2 normal, const atlas::Region& r, float ta, float tb) {
  constexpr int Pieces = 3;
  for (int i = 0; i < Pieces; ++i) {
    const float s0 = float(i) / Pieces, s1 = float(i + 1) / Pieces;
    const float z0 = -3 + 6 * s0, z1 = -3 + 6 * s1;
    const auto c = [&](Point2 p, float z, float s, float t) {
      const atlas::Uv uv = atlas::At(r, s, t);
      return Corner{{p.X, p.Y, z}, uv.U, uv.V};
    };
    m.Quad(c(a, z0, s0, ta), c(a, z1, s1, ta), c(b, z1, s1, tb), c(b, z0, s0, tb), {normal.X, normal.Y, 0});
  }
}

// The sky: half an ellipse over the corridor from (-7, 3.2) to (7, 3.2).
void Sky(VzMesh& m) {
  constexpr int Facets = 8, Pieces = 3;
  const auto at = [](int k) {
    const float phi = Pi * float(k) / Facets;
    return Vec3{-7 * std::cos(phi), 3.2f + 3.5f * std::sin(phi), 0};
  };
  const auto inward = [](const Vec3& p) { return Vec3{-p.X / 49, -(p.Y - 3.2f) / 12.25f, 0}; };
  for (int k = 0; k < Facets; ++k)
    for (int i = 0; i < Pieces; ++i) {
      const float s0 = float(i) / Pieces, s1 = float(i + 1) / Pieces;
      const float t0 = float(k) / Facets, t1 = float(k + 1) / Facets;
      const Vec3 a = at(k), b = at(k + 1);
      const auto c = [](Vec3 p, float s, float t) {
        const atlas::Uv uv = atlas::At(atlas::Sky, s, t);
        return Corner{{p.X, p.Y, -3 + 6 * s}, uv.U, uv.V};
      };
      m.SmoothQuad({c(a, s0, t0), c(a, s1, t0), c(b, s1, t1), c(b, s0, t1)},
                   {inward(a), inward(a), inward(b), inward(b)});
    }
}

// Faces of an axis-aligned block between lo and hi; `faces` picks them by
// bit: 1 -x, 2 +x, 4 -y, 8 +y, 16 -z, 32 +z. Each face's picture runs
// along its longer edge (s) and across it (t); the y faces wear `ends`.
void Block(VzMesh& m, Vec3 lo, Vec3 hi, int faces, const atlas::Region& sides, const atlas::Region& ends,
           uint32_t specular = 0xFF000000) {
  const Vec3 mid = (lo + hi) * 0.5f, half = (hi - lo) * 0.5f;
  const Vec3 axes[3] = {{half.X, 0, 0}, {0, half.Y, 0}, {0, 0, half.Z}};
  for (int bit = 0; bit < 6; ++bit) {
    if (!(faces & (1 << bit))) continue;
    const int axis = bit / 2;
    const Vec3 n = axes[axis] * (bit % 2 ? 1.f : -1.f);
    Vec3 e1 = axes[(axis + 1) % 3], e2 = axes[(axis + 2) % 3];
    if (Dot(e2, e2) > Dot(e1, e1)) std::swap(e1, e2);
    if (e1.Y > 0) e1 = e1 * -1;  // a standing face reads its picture top down
    const atlas::Region& r = axis == 1 ? ends : sides;
    const Vec3 c = mid + n;
    const auto corner = [&](float i, float j) {
      const atlas::Uv uv = atlas::At(r, (i + 1) / 2, (j + 1) / 2);
      return Corner{c + e1 * i + e2 * j, uv.U, uv.V};
    };
    m.Quad(corner(-1, -1), corner(1, -1), corner(1, 1), corner(-1, 1), n, specular);
  }
}

// A post at the road's edge with an arm reaching over it and a paper lantern
// hanging from the arm. side is -1 (left) or +1 (right).
void LanternPost(VzMesh& m, float side, float z) {
  constexpr int X = 1 | 2, Y = 4 | 8, Z = 16 | 32;
  const auto box = [&](float x0, float x1, float y0, float y1, float hz, int faces, const atlas::Region& r,
                       uint32_t spec = 0xFF000000) {
    const float a = side * x0, b = side * x1;
    Block(m, {std::min(a, b), y0, z - hz}, {std::max(a, b), y1, z + hz}, faces, r, atlas::Lacquer, spec);
  };
  box(1.39f, 1.51f, -1, 0.75f, 0.06f, X | Z, atlas::Wood);                       // post
  const int armEnd = side < 0 ? 2 : 1;                                               // towards the road
  box(0.98f, 1.39f, 0.62f, 0.70f, 0.03f, Y | Z | armEnd, atlas::Wood);            // arm
  box(0.92f, 1.18f, 0.22f, 0.62f, 0.13f, X | Z | 4, atlas::Paper, LanternGlint);  // lantern and its base
}

VzMesh LanternRoad() {
  VzMesh m;
  m.SeparateCorners = true;
  Strip(m, {-1.2f, -1}, {1.2f, -1}, {0, 1}, atlas::Road, 0, 1);
  Sky(m);
  for (float side : {-1.f, 1.f}) {
    const auto at = [&](float x, float y) { return Point2{side * x, y}; };
    Strip(m, at(3, -1), at(1.2f, -1), {0, 1}, atlas::Grass, 0, 1);
    Strip(m, at(3, 0.28f), at(3, -1), {-side, 0}, atlas::WallFace, 0, 1);
    Strip(m, at(3, 0.28f), at(2.85f, 0.28f), {0, -1}, atlas::WallCap, 0.9f, 1);  // under the eaves
    Strip(m, at(3.25f, 0.5f), at(2.85f, 0.28f), {-side * 0.22f, 0.4f}, atlas::WallCap, 0, 1);
    Strip(m, at(7, 3.2f), at(7, 0.8f), {-side, 0}, atlas::Far, 0, 1);
    LanternPost(m, side, side * 1.5f);
  }
  return m;
}

VzMesh Tunnel() {
  constexpr int Sides = 16, PerQuarter = Sides / 4;
  constexpr float R = 1.8f, Rib = 0.16f, Near = -0.5f, RibFront = 0.42f, Far = 0.5f;
  VzMesh m;
  const auto ring = [](int k, float radius, float z) {
    const float a = 2 * Pi * (float(k) + 0.5f) / Sides;
    return Vec3{radius * std::cos(a), radius * std::sin(a), z};
  };
  const auto inward = [&](int k) { return ring(k, -1, 0); };
  for (int k = 0; k < Sides; ++k) {
    const float s0 = float(k % PerQuarter) / PerQuarter, s1 = float(k % PerQuarter + 1) / PerQuarter;
    const auto c = [&](const atlas::Region& r, int j, float radius, float z, float t) {
      const atlas::Uv uv = atlas::At(r, j == k ? s0 : s1, t);
      return Corner{ring(j, radius, z), uv.U, uv.V};
    };
    // The wall, in two pieces along z.
    const float mid = (Near + RibFront) / 2;
    for (auto [z0, z1] : {std::pair{Near, mid}, std::pair{mid, RibFront}}) {
      const float t0 = (z0 - Near) / (RibFront - Near), t1 = (z1 - Near) / (RibFront - Near);
      const atlas::Region& w = atlas::TunnelWall;
      m.SmoothQuad({c(w, k, R, z0, t0), c(w, k + 1, R, z0, t0), c(w, k + 1, R, z1, t1), c(w, k, R, z1, t1)},
                   {inward(k), inward(k + 1), inward(k + 1), inward(k)});
    }
    // The rib: its face towards the camera, then its inner edge.
    const atlas::Region& r = atlas::TunnelRib;
    m.Quad(c(r, k, R, RibFront, 0), c(r, k + 1, R, RibFront, 0), c(r, k + 1, R - Rib, RibFront, 0.7f),
           c(r, k, R - Rib, RibFront, 0.7f), {0, 0, -1}, RibGlint);
    m.SmoothQuad({c(r, k, R - Rib, RibFront, 0.7f), c(r, k + 1, R - Rib, RibFront, 0.7f),
                  c(r, k + 1, R - Rib, Far, 1), c(r, k, R - Rib, Far, 1)},
                 {inward(k), inward(k + 1), inward(k + 1), inward(k)});
  }
  return m;
}

}  // namespace

void WriteBackgroundMeshes(PictureWriter& out) {
  out.File("Graphic/VZ/777.vz", EncodeVz(LanternRoad(), 0));
  out.File("Graphic/VZ/3dback_l3.vz", EncodeVz(Tunnel(), 2));
}

}  // namespace vuzed::pictures
