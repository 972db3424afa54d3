#pragma once
// Sprite records as the game builds them and the queues keep them.

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
