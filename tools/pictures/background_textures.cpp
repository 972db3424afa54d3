// The textures of the 3D stage backgrounds, laid out as background_atlas.h
// says: 22tex, the lantern road at dusk (and the tunnel of the later
// stages), and 97tex, the same road by moonlight through a pine wood. The
// lights of those scenes are so strong that the picture shows as painted, so
// these are kept dusky and quiet: the bullets and ships drawn over them must
// stand out. White is the loader's colour key and never appears.
#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

#include "background_atlas.h"
#include "families.h"
#include "keying.h"
#include "noise.h"

namespace vuzed::pictures {
namespace {

constexpr float Tau = 2 * std::numbers::pi_v<float>;

struct Theme {
  uint32_t Seed;
  Rgba Zenith, Horizon, Glow, Cloud, Star;
  bool Pines;  // distant pines, or else roofs with lit windows
  Rgba Silhouette, Window;
  Rgba Tile, Beam, Plaster, Base;
  Rgba GrassDark, GrassLight, Flower;
  int StonesAlong, StonesAcross;  // paving stones per segment and across the road
  Rgba Mortar, StoneDark, StoneLight;
  Rgba WoodDark, WoodLight, PaperEdge, PaperCore, Lacquer;
  Rgba TunnelDark, TunnelLight, TunnelLine, Rib, RibTrim;
};

// Painted at dusk: violet sky with a rose horizon, warm lanterns, plaster
// walls, grey-violet paving; the tunnel in deep indigo with vermilion ribs.
constexpr Theme Dusk{
    22u,
    Hex(0x1A1438), Hex(0x6A3E5E), Hex(0x8A4E52), Hex(0x4A3460), Hex(0xA898C0),
    false, Hex(0x17122A), Hex(0x9A6A3A),
    Hex(0x262034), Hex(0x2A1C1E), Hex(0x423646), Hex(0x2A2230),
    Hex(0x101A18), Hex(0x2A3E30), Hex(0x6A4058),
    12, 5, Hex(0x1E1828), Hex(0x2E2636), Hex(0x463A4C),
    Hex(0x2A1A14), Hex(0x4A3024), Hex(0x7A3A22), Hex(0xD08848), Hex(0x2A1418),
    Hex(0x120E2A), Hex(0x2E2650), Hex(0x5A5A9A), Hex(0x3A1420), Hex(0x6A4A3A)};

// By moonlight: blue-black sky with a pale band of mist, pines, mossy stone,
// large flagstones and lanterns of cool, pale paper.
constexpr Theme Moonlit{
    97u,
    Hex(0x070C1E), Hex(0x2A4260), Hex(0x3A5674), Hex(0x2C3C5C), Hex(0xB0C0D8),
    true, Hex(0x08121A), Hex(0x000000),
    Hex(0x1A2630), Hex(0x141A1C), Hex(0x2C3A36), Hex(0x1A2420),
    Hex(0x08140F), Hex(0x1C3428), Hex(0x8AA060),
    6, 3, Hex(0x10161C), Hex(0x222A34), Hex(0x36424E),
    Hex(0x1C1814), Hex(0x343028), Hex(0x34506A), Hex(0x8AB0C8), Hex(0x121A22),
    Hex(0x081018), Hex(0x1C3444), Hex(0x4A8A9A), Hex(0x1A2A3A), Hex(0x5A7A8A)};

using Painter = std::function<Rgba(float s, float t)>;

// Calls paint for every texel of a region with s, t at the texel's centre.
void Fill(Canvas& c, const atlas::Region& r, const Painter& paint) {
  for (int y = r.Y; y < r.Y + r.H; ++y)
    for (int x = r.X; x < r.X + r.W; ++x) {
      Rgba p = paint((float(x - r.X) + 0.5f) / float(r.W), (float(y - r.Y) + 0.5f) / float(r.H));
      p.A = 1;
      c.At(x, y) = p;
    }
}

// Noise that repeats across s (freq cells per band).
float Along(float s, float t, uint32_t seed, int freq, float tScale, int octaves) {
  return Fbm(s * float(freq), t * tScale, seed, octaves, freq);
}

float Smooth01(float e0, float e1, float x) {
  const float t = std::clamp((x - e0) / (e1 - e0), 0.f, 1.f);
  return t * t * (3 - 2 * t);
}

float Fract(float v) { return v - std::floor(v); }

// Distance between two positions on a repeating unit interval.
float Wrapped(float a, float b) {
  const float d = std::abs(Fract(a - b));
  return std::min(d, 1 - d);
}

void PaintSky(Canvas& c, const Theme& th) {
  Fill(c, atlas::Sky, [&](float s, float t) {
    const float up = 1 - std::abs(2 * t - 1);  // 0 at the horizons, 1 overhead
    Rgba col = Mix(th.Horizon, th.Zenith, Smooth01(0.f, 0.75f, up));
    const float streak = Along(s, t * 4, th.Seed, 4, 6, 5);
    col = Mix(col, th.Cloud, Smooth01(0.5f, 0.8f, streak) * 0.6f * (1 - up * 0.5f));
    // Stars: at most one to a cell of 8 x 2 texels. The arch stretches the
    // band's rows about ten times more than its columns, so a star is drawn
    // wide in s to come out round.
    const float x = s * 512, y = t * 128;
    for (int cy = int(y / 2) - 1; cy <= int(y / 2) + 1; ++cy)
      for (int cx = int(x / 8) - 1; cx <= int(x / 8) + 1; ++cx) {
        const int wx = (cx + 64) % 64;
        if (Hash01(wx, cy, th.Seed + 1) < 0.8f) continue;
        const float px = float(cx) * 8 + 8 * Hash01(wx, cy, th.Seed + 2), py = float(cy) * 2 + 2 * Hash01(wx, cy, th.Seed + 3);
        const float d = std::hypot((x - px) / 4, (y - py) / 0.6f);
        const float bright = 0.25f + 0.45f * Hash01(wx, cy, th.Seed + 4);
        col = Mix(col, th.Star, std::max(0.f, 1 - d) * bright * Smooth01(0.3f, 0.5f, up));
      }
    return col;
  });
}

// The top edge of the distant roofs or trees at s, as t (0 top, 1 bottom).
float SkylineTop(const Theme& th, float s) {
  float top = 0.75f;
  if (th.Pines) {
    for (int k = 0; k < 26; ++k) {
      const float x = (float(k) + Hash01(k, 1, th.Seed)) / 26, h = 0.25f + 0.35f * Hash01(k, 2, th.Seed);
      top = std::min(top, h + Wrapped(s, x) * 7.5f);  // a cone: t grows away from its tip
    }
    return top;
  }
  for (int k = 0; k < 9; ++k) {
    const float x0 = float(k) / 9, w = 1.f / 9;
    const float u = Fract(s - x0) / w;  // 0..1 across this building
    if (u >= 1) continue;
    const float roof = 0.35f + 0.3f * Hash01(k, 3, th.Seed);
    const float edge = std::abs(2 * u - 1);
    top = std::min(top, roof - 0.08f * (1 - edge * edge) + (edge > 0.9f ? (edge - 0.9f) * 3 : 0));
  }
  return top;
}

void PaintFar(Canvas& c, const Theme& th) {
  Fill(c, atlas::Far, [&](float s, float t) {
    Rgba col = Mix(th.Horizon, th.Glow, Smooth01(0.f, 0.7f, t));
    const float top = SkylineTop(th, s);
    if (t > top) {
      col = Mix(th.Silhouette, th.Horizon, 0.15f * Smooth01(top + 0.2f, top, t));
      const int wx = int(s * 128), wy = int(t * 24);
      const bool window = !th.Pines && wx % 3 != 0 && int(t * 48) % 2 == 0 && t > top + 0.12f;
      if (window && Hash01(wx, wy, th.Seed + 3) > 0.85f) col = Mix(col, th.Window, 0.45f);
    }
    // Mist settles at the bottom.
    return Mix(col, th.Glow, 0.25f * Smooth01(0.7f, 1.f, t) * Along(s, t, th.Seed + 4, 6, 3, 3));
  });
}

void PaintWall(Canvas& c, const Theme& th) {
  Fill(c, atlas::WallCap, [&](float s, float t) {
    // Round tiles lying across the wall, one ridge each, darker under the eave.
    const float ridge = 0.5f + 0.5f * std::cos(Tau * s * 64);
    Rgba col = Mix(Scaled(th.Tile, 0.7f), Scaled(th.Tile, 1.25f), ridge);
    return Mix(col, th.Beam, Smooth01(0.7f, 1.f, t));
  });
  Fill(c, atlas::WallFace, [&](float s, float t) {
    const float n = Along(s, t, th.Seed + 5, 16, 2, 4);
    Rgba col = Mix(Scaled(th.Plaster, 0.8f), Scaled(th.Plaster, 1.1f), n);
    if (t < 0.1f) col = th.Beam;                       // beam under the tiles
    if (Wrapped(s * 4, 0) < 0.02f) col = th.Beam;    // posts, four to a segment
    if (t > 0.72f) col = Mix(th.Base, Scaled(th.Base, 1.3f), Along(s, t, th.Seed + 6, 48, 8, 2));
    return Mix(col, Scaled(col, 0.6f), Smooth01(0.1f, 0.f, t - 0.1f));  // shadow of the eave
  });
}

void PaintGrass(Canvas& c, const Theme& th) {
  Fill(c, atlas::Grass, [&](float s, float t) {
    const float tufts = Along(s, t, th.Seed + 7, 32, 6, 4);
    const float blades = Hash01(int(s * 512), int(t * 16), th.Seed + 8);
    Rgba col = Mix(th.GrassDark, th.GrassLight, Smooth01(0.3f, 0.8f, tufts) * 0.8f + blades * 0.2f);
    col = Mix(Scaled(col, 0.55f), col, Smooth01(0.f, 0.5f, t));  // the wall's shade
    if (Hash01(int(s * 256), int(t * 24), th.Seed + 9) > 0.994f) col = Mix(col, th.Flower, 0.7f);
    return col;
  });
}

void PaintRoad(Canvas& c, const Theme& th) {
  Fill(c, atlas::Road, [&](float s, float t) {
    // Courses of stones across the road, every other course offset by half.
    const float across = t * float(th.StonesAcross);
    const int course = int(across);
    const float along = s * float(th.StonesAlong) + (course % 2 ? 0.5f : 0.f);
    const int stone = int(std::floor(along)) % th.StonesAlong;
    const float fu = Fract(along), fv = Fract(across);
    const float joint = std::min({fu, 1 - fu, (fv) * 0.6f, (1 - fv) * 0.6f});
    const float shade = Hash01(stone, course, th.Seed + 10);
    Rgba col = Mix(th.StoneDark, th.StoneLight, 0.3f + 0.4f * shade + 0.3f * Along(s, t, th.Seed + 11, 24, 3, 3));
    col = Mix(col, Scaled(col, 1.15f), Smooth01(0.5f, 0.f, std::abs(t - 0.5f)) * 0.5f);  // worn in the middle
    return Mix(Mix(th.Mortar, col, 0.3f), col, Smooth01(0.02f, 0.08f, joint));
  });
}

void PaintProps(Canvas& c, const Theme& th) {
  Fill(c, atlas::Wood, [&](float s, float t) {
    const float grain = Fbm(s * 4, t * 24, th.Seed + 12, 4);
    return Mix(th.WoodDark, th.WoodLight, Smooth01(0.35f, 0.75f, grain));
  });
  Fill(c, atlas::Paper, [&](float s, float t) {
    // s runs down the lantern, t across a side: brightest at the heart,
    // ribbed, with dark bands top and bottom.
    const float heart = std::sin(std::numbers::pi_v<float> * s) * (1 - 0.6f * std::pow(2 * t - 1, 2.f));
    Rgba col = Mix(th.PaperEdge, th.PaperCore, heart);
    if (Wrapped(s * 7, 0) < 0.06f) col = Scaled(col, 0.7f);
    if (s < 0.08f || s > 0.92f) col = th.Lacquer;
    return col;
  });
  Fill(c, atlas::Lacquer, [&](float s, float t) { return Mix(th.Lacquer, Scaled(th.Lacquer, 1.4f), Fbm(s * 6, t * 2, th.Seed + 13, 2)); });
}

void PaintTunnel(Canvas& c, const Theme& th) {
  Fill(c, atlas::TunnelWall, [&](float s, float t) {
    // Four panels to the band (one per side of the ring), grooved at their
    // edges, with a line of faint lights round the middle.
    const float n = Along(s, t, th.Seed + 14, 8, 2, 5);
    Rgba col = Mix(th.TunnelDark, th.TunnelLight, Smooth01(0.3f, 0.8f, n));
    const float edge = Wrapped(s * 4, 0);
    col = Mix(Scaled(th.TunnelDark, 0.6f), col, Smooth01(0.02f, 0.06f, edge));
    const float line = Smooth01(0.04f, 0.f, std::abs(t - 0.5f)) * (0.6f + 0.4f * std::cos(Tau * s * 16));
    return Mix(col, th.TunnelLine, line * 0.7f);
  });
  Fill(c, atlas::TunnelRib, [&](float s, float t) {
    Rgba col = Mix(th.Rib, Scaled(th.Rib, 1.3f), Along(s, t, th.Seed + 15, 16, 1, 3));
    if (std::abs(t - 0.6f) < 0.05f) col = th.RibTrim;  // trim along the rib's inner corner
    return col;
  });
}

std::vector<uint8_t> Texture(const Theme& th) {
  Canvas c(atlas::Size, atlas::Size);
  PaintSky(c, th);
  PaintFar(c, th);
  PaintWall(c, th);
  PaintGrass(c, th);
  PaintRoad(c, th);
  PaintProps(c, th);
  PaintTunnel(c, th);
  // The spare corner of the props row: lacquer, like its neighbour.
  Fill(c, {384, 400, 128, 32, false}, [&](float, float) { return th.Lacquer; });
  return EncodeBmp24(FlattenOpaque(c, th.Lacquer, key::White));
}

}  // namespace

void WriteBackgroundTextures(PictureWriter& out) {
  out.File("Graphic/VZ/22tex.bmp", Texture(Dusk));
  out.File("Graphic/VZ/97tex.bmp", Texture(Moonlit));
}

}  // namespace vuzed::pictures
