#include "engine/graphics/d3d_names.h"

#include <gtest/gtest.h>

namespace vuzed {
namespace {

TEST(D3DNames, KnownCodesKeepTheirExactText) {
  EXPECT_EQ(D3DErrorName(0), "D3D_OK");
  EXPECT_EQ(D3DErrorName(d3derr::DEVICELOST), "D3DERR_DEVICELOST");
  // Some names end in one space, as they always have.
  EXPECT_EQ(D3DErrorName(d3derr::INVALIDCALL), "D3DERR_INVALIDCALL ");
  EXPECT_EQ(D3DErrorName(d3derr::UNSUPPORTEDCOLORARG), "D3DERR_UNSUPPORTEDCOLORARG ");
  EXPECT_EQ(uint32_t(d3derr::DEVICENOTRESET), 0x88760869u);
  EXPECT_EQ(uint32_t(d3derr::OUTOFVIDEOMEMORY), 0x8876017Cu);
}

TEST(D3DNames, UnknownCodeShowsEightUpperCaseHexDigits) {
  EXPECT_EQ(D3DErrorName(1), "UNKNOWN ERROR ... $00000001");
  EXPECT_EQ(D3DErrorName(int32_t(0x8007000Eu)), "UNKNOWN ERROR ... $8007000E");
}

TEST(D3DNames, FormatNamesAndBits) {
  EXPECT_STREQ(FormatName(fmt::A8R8G8B8), "A8R8G8B8");
  EXPECT_EQ(FormatBits(fmt::A8R8G8B8), 32);
  EXPECT_EQ(FormatBits(fmt::R8G8B8), 24);
  EXPECT_EQ(FormatBits(fmt::A4R4G4B4), 16);
  EXPECT_EQ(FormatBits(fmt::A4L4), 8);
  EXPECT_STREQ(FormatName(fmt::D16_LOCKABLE), "D16_LOCKABLE");
  EXPECT_STREQ(FormatName(fmt::DXT5), "DXT5");
  EXPECT_EQ(FormatBits(fmt::DXT1), 0);
  EXPECT_STREQ(FormatName(999), "UNKNOWN");
  EXPECT_EQ(FormatBits(999), 0);
}

TEST(D3DNames, MakeColorMasksEachComponent) {
  EXPECT_EQ(MakeColor(255, 255, 255, 255), 0xFFFFFFFFu);
  EXPECT_EQ(MakeColor(0x1FF, 0x102, 0x203, 0x304), 0xFF020304u);
}

}  // namespace
}  // namespace vuzed
