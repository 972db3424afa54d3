#pragma once
// Screen sprites of the title and the opening: pictures drawn at their own
// size on the screen queue, nearest-neighbour filtered.

#include <cstdint>

namespace vuzed {

struct TGameContext;
class TMXTexture;

enum : int32_t { kBlendAdditive = 1, kBlendAlpha = 2 };

// Opaque white with the given alpha (clamped to 0..255).
uint32_t WhiteWithAlpha(int32_t alpha);

// The picture with its top-left corner at (x, y). Nothing for an empty picture.
void DrawScreenPicture(TGameContext& context, const TMXTexture* picture, float x, float y, uint32_t color,
                       int32_t blendMode);

}  // namespace vuzed
