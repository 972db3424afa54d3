#include "engine/graphics/fvf_layout.h"

#include "engine/graphics/d3d_types.h"

namespace vuzed {
namespace {

constexpr uint32_t kReserved0 = 0x0001, kPointSize = 0x0020, kReserved2 = 0x2000;
constexpr uint32_t kXYZW = 0x4002;
constexpr int kMaxTexCoordSets = 8;

// Bytes of the position part; -1 for a value that names no position type.
int PositionSize(uint32_t position) {
  switch (position) {
    case 0: return 0;
    case fvf::XYZ: return 12;
    case fvf::XYZRHW: return 16;
    case kXYZW: return 16;
    case 0x006: return 16;  // XYZB1
    case 0x008: return 20;  // XYZB2
    case 0x00A: return 24;  // XYZB3
    case 0x00C: return 28;  // XYZB4
    case 0x00E: return 32;  // XYZB5
    default: return -1;
  }
}

}  // namespace

int FVFVertexSize(uint32_t format) {
  if (format & (kReserved0 | kReserved2)) return -1;
  const int position = PositionSize(format & fvf::POSITION_MASK);
  const int sets = int((format & fvf::TEXCOUNT_MASK) >> fvf::TEXCOUNT_SHIFT);
  if (position < 0 || sets > kMaxTexCoordSets) return -1;
  int size = position;
  if (format & fvf::NORMAL) size += 12;
  if (format & kPointSize) size += 4;
  if (format & fvf::DIFFUSE) size += 4;
  if (format & fvf::SPECULAR) size += 4;
  static constexpr int kSetSize[4] = {8, 12, 16, 4};
  for (int i = 0; i < sets; ++i) size += kSetSize[(format >> (16 + 2 * i)) & 3];
  return size;
}

bool FVFHasPosition(uint32_t format) { return PositionSize(format & fvf::POSITION_MASK) > 0; }

}  // namespace vuzed
