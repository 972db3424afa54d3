#include "engine/graphics/fvf_layout.h"

#include <gtest/gtest.h>

namespace vuzed {
namespace {

TEST(FVFLayout, SizesFollowDirect3DsVertexLayout) {
  struct Row {
    uint32_t FVF;
    int Size;
    bool Position;
  };
  for (const Row& row : {
           Row{0x1D2, 40, true},          // XYZ NORMAL DIFFUSE SPECULAR TEX1
           Row{0x002, 12, true},          // XYZ
           Row{0x144, 28, true},          // XYZRHW DIFFUSE TEX1
           Row{0x4002, 16, true},         // XYZW
           Row{0x00E, 32, true},          // XYZB5
           Row{0x1006, 16, true},         // XYZB1 with a UBYTE4 last beta
           Row{0x022, 16, true},          // XYZ PSIZE
           Row{0x302 | (1u << 16) | (2u << 18) | (3u << 20), 12 + 12 + 16 + 4, true},  // three sets: 3, 4, 1 singles
           Row{0x802, 12 + 8 * 8, true},  // eight sets of two
           Row{0x010, 12, false},         // a normal and no position
           Row{0x902, -1, true},          // nine sets
           Row{0x003, -1, true},          // reserved bit 0
           Row{0x2002, -1, true},         // reserved bit 13
           Row{0x4004, -1, false},        // not a position type
       }) {
    EXPECT_EQ(FVFVertexSize(row.FVF), row.Size) << std::hex << row.FVF;
    EXPECT_EQ(FVFHasPosition(row.FVF), row.Position) << std::hex << row.FVF;
  }
}

}  // namespace
}  // namespace vuzed
