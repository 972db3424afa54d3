#pragma once
// Sprite records as the game builds them and the queues keep them.

#include <array>
#include <cstdint>

namespace vuzed {

class TMXTexture;

// One corner of a sprite: offset from the sprite position, a colour that
// multiplies the texel, and texture coordinates (0 to MaxU/MaxV cover the image).
struct TSpriteVertex {
  float X = 0, Y = 0;
  uint32_t Color = 0;
  float U = 0, V = 0;
};

struct TPoint2 {
  float X = 0, Y = 0;
};

inline TSpriteVertex MakeSpriteVertex(uint32_t color, float x, float y, float u, float v) {
  return TSpriteVertex{x, y, color, u, v};
}

inline TPoint2 MakePoint(float x, float y) { return TPoint2{x, y}; }

// One corner offset of a sprite, in pixels from its centre.
struct TCornerOffset {
  float X = 0;
  float Y = 0;
};

// The corners (-w/2,-h/2), (w/2,-h/2), (-w/2,h/2), (w/2,h/2) - top-left,
// top-right, bottom-left, bottom-right - rotated by `angleDeg` degrees
// (positive turns +X towards +Y, i.e. clockwise on screen). Computed in
// double precision from the single-precision inputs, stored as single; at
// angle 0 the corners are exactly +-w/2 and +-h/2.
std::array<TCornerOffset, 4> RotateQuad(float width, float height, float angleDeg);

// The quad of a sprite centred on its position: width x height pixels
// turned by angleDeg (RotateQuad), one colour, texture coordinates from
// (u0, v0) at the top-left to (u1, v1) at the bottom-right.
std::array<TSpriteVertex, 4> CentredQuad(float width, float height, float angleDeg, uint32_t color, float u0, float v0,
                                         float u1, float v1);

// A queued sprite. Four vertices drawn as a triangle strip in the order
// top-left, top-right, bottom-left, bottom-right.
struct TSpriteRecord {
  bool Smooth = false;
  int32_t BlendMode = 0;
  const TMXTexture* Texture = nullptr;
  int TextureID = -1;  // the texture's resource id, checked before drawing
  float X = 0, Y = 0;
  float Depth = 0;
  TSpriteVertex Vertices[4];
};

}  // namespace vuzed
