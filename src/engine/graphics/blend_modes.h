#pragma once
// The scene's blend-mode table. Sprites and frames name a mode by its index;
// the game uses 1 (additive glow) and 2 (ordinary alpha blending).
//
//  mode  translucent  blending  SRCBLEND   DESTBLEND     alpha test
//   0    no           off       -          -             untouched
//   1    yes          on        SRCALPHA   ONE           untouched
//   2    yes          on        SRCALPHA   INVSRCALPHA   untouched
//   3    yes          on        ZERO       INVSRCCOLOR   untouched
//   4    yes          on        ZERO       SRCCOLOR      untouched
//   5    no           off       -          -             on, GREATER
//
// Blending on also turns depth writes off; blending off turns them on. The
// alpha reference value is never set (it stays at 0).

#include <array>
#include <cstdint>

#include "engine/graphics/d3d_types.h"

namespace vuzed {

class RenderBackend;

struct TBlendModeRecord {
  bool Translucent;
  uint8_t AlphaTest;   // 0 = leave the alpha-test states alone; else low 7 bits = ALPHATESTENABLE
  uint32_t CmpFunc;
  bool Blending;
  uint32_t SrcBlend;
  uint32_t DestBlend;
  uint32_t BlendOp;
};

constexpr std::array<TBlendModeRecord, 6> kBlendModes{{
    {false, 0, d3d::CMP_ALWAYS, false, 0, 0, 0},
    {true, 0, d3d::CMP_ALWAYS, true, d3d::BLEND_SRCALPHA, d3d::BLEND_ONE, d3d::BLENDOP_ADD},
    {true, 0, d3d::CMP_ALWAYS, true, d3d::BLEND_SRCALPHA, d3d::BLEND_INVSRCALPHA, d3d::BLENDOP_ADD},
    {true, 0, d3d::CMP_ALWAYS, true, d3d::BLEND_ZERO, d3d::BLEND_INVSRCCOLOR, d3d::BLENDOP_ADD},
    {true, 0, d3d::CMP_ALWAYS, true, d3d::BLEND_ZERO, d3d::BLEND_SRCCOLOR, d3d::BLENDOP_ADD},
    {false, 0x81, d3d::CMP_GREATER, false, 0, 0, 0},
}};

// A mode outside the table reads as mode 0 (opaque).
const TBlendModeRecord& BlendModeRecord(int32_t mode);
bool IsTranslucentMode(int32_t mode);
void ApplyBlendMode(RenderBackend& backend, const TBlendModeRecord& record, bool blendOpSupported);

}  // namespace vuzed
