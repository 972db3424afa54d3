#pragma once
// Sizes of flexible-vertex-format vertices, as Direct3D 9 lays them out:
// position (XYZ 12 bytes, XYZRHW and XYZW 16, XYZB1..XYZB5 16..32), normal
// 12, point size 4, diffuse 4, specular 4, then TEXCOUNT coordinate sets of
// 1 to 4 singles each (two format bits per set from bit 16: 0 two singles,
// 1 three, 2 four, 3 one).

#include <cstdint>

namespace vuzed {

// Bytes of one vertex of this format; -1 for a format Direct3D rejects (an
// unknown position type, more than 8 coordinate sets, reserved bits set).
// A format without a position is 0 bytes of position.
int FVFVertexSize(uint32_t fvf);

// True when the format's vertices start with an x, y, z position.
bool FVFHasPosition(uint32_t fvf);

}  // namespace vuzed
