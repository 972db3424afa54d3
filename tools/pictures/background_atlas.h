#pragma once
// Where each surface of the 3D stage backgrounds finds its picture in the
// background textures (22tex and 97tex, 512 x 512, the same layout in both,
// so the corridor mesh wears either). Rows top first; v = 0 is the top row.
//
//   rows   0..127  sky, across the arch: horizon, zenith, horizon
//   rows 128..223  distant roofs or trees against the horizon
//   rows 224..239  roof tiles capping the side walls
//   rows 240..287  the side walls' inner face
//   rows 288..335  grass verges (t = 1 at the road's edge)
//   rows 336..399  road paving
//   rows 400..431  props: post wood | lantern paper | lacquer | (spare)
//   rows 432..495  the tunnel's wall, a quarter of the way round
//   rows 496..511  the tunnel's ribs
//
// The full-width bands run along the corridor: u 0..1 is one 6-unit
// segment, and their pictures repeat across the width, so segments join
// without a seam. Every region keeps its samples a little inside its rows
// so filtering never picks up its neighbour.

namespace vuzed::pictures::atlas {

constexpr int Size = 512;

struct Region {
  int X, Y, W, H;
  bool Band;  // full width, repeating across u
};

constexpr Region Sky{0, 0, 512, 128, true};
constexpr Region Far{0, 128, 512, 96, true};
constexpr Region WallCap{0, 224, 512, 16, true};
constexpr Region WallFace{0, 240, 512, 48, true};
constexpr Region Grass{0, 288, 512, 48, true};
constexpr Region Road{0, 336, 512, 64, true};
constexpr Region Wood{0, 400, 128, 32, false};
constexpr Region Paper{128, 400, 128, 32, false};
constexpr Region Lacquer{256, 400, 128, 32, false};
constexpr Region TunnelWall{0, 432, 512, 64, true};
constexpr Region TunnelRib{0, 496, 512, 16, true};

// Texels kept clear of a region's edges (bands: top and bottom only).
constexpr float Inset = 1.5f;

// Texture coordinates of the point (s, t) of a region, s and t 0..1.
struct Uv {
  float U, V;
};
constexpr Uv At(const Region& r, float s, float t) {
  const float ix = r.Band ? 0 : Inset;
  return {(float(r.X) + ix + s * (float(r.W) - 2 * ix)) / Size, (float(r.Y) + Inset + t * (float(r.H) - 2 * Inset)) / Size};
}

}  // namespace vuzed::pictures::atlas
