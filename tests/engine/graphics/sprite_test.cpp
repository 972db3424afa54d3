#include "engine/graphics/sprite.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vuzed {
namespace {

TEST(RotateQuad, UnrotatedCornersInOrder) {
  auto c = RotateQuad(32, 16, 0);
  EXPECT_EQ(c[0].X, -16.0f);
  EXPECT_EQ(c[0].Y, -8.0f);
  EXPECT_EQ(c[1].X, 16.0f);
  EXPECT_EQ(c[1].Y, -8.0f);
  EXPECT_EQ(c[2].X, -16.0f);
  EXPECT_EQ(c[2].Y, 8.0f);
  EXPECT_EQ(c[3].X, 16.0f);
  EXPECT_EQ(c[3].Y, 8.0f);
}

TEST(RotateQuad, QuarterTurnTurnsXTowardsY) {
  auto c = RotateQuad(32, 16, 90);
  // Top-left (-16,-8) goes to (8,-16): x*cos - y*sin, x*sin + y*cos.
  EXPECT_NEAR(c[0].X, 8.0f, 1e-5);
  EXPECT_NEAR(c[0].Y, -16.0f, 1e-5);
  EXPECT_NEAR(c[3].X, -8.0f, 1e-5);
  EXPECT_NEAR(c[3].Y, 16.0f, 1e-5);
}

TEST(RotateQuad, ComputedInDoubleFromSingleInputs) {
  const float w = 10.3f, h = 7.1f, a = 33.3f;
  auto c = RotateQuad(w, h, a);
  const double t = double(a) * (3.14159265358979323846 / 180.0);
  const double x = double(w) / 2, y = -double(h) / 2;
  EXPECT_EQ(c[1].X, float(x * std::cos(t) - y * std::sin(t)));
  EXPECT_EQ(c[1].Y, float(x * std::sin(t) + y * std::cos(t)));
  // Opposite corners are mirror images.
  EXPECT_EQ(c[2].X, -c[1].X);
  EXPECT_EQ(c[2].Y, -c[1].Y);
}

TEST(CentredQuad, CornersCarryTheColourAndTheTextureRectangle) {
  const auto q = CentredQuad(8, 4, 0, 0x80FFFFFFu, 0.25f, 0.5f, 0.75f, 1);
  const float expected[4][4] = {{-4, -2, 0.25f, 0.5f}, {4, -2, 0.75f, 0.5f}, {-4, 2, 0.25f, 1}, {4, 2, 0.75f, 1}};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(q[k].X, expected[k][0]) << k;
    EXPECT_EQ(q[k].Y, expected[k][1]) << k;
    EXPECT_EQ(q[k].U, expected[k][2]) << k;
    EXPECT_EQ(q[k].V, expected[k][3]) << k;
    EXPECT_EQ(q[k].Color, 0x80FFFFFFu) << k;
  }
  // Turned, the corners are RotateQuad's.
  const auto turned = CentredQuad(8, 4, 30, 0, 0, 0, 1, 1);
  const auto corners = RotateQuad(8, 4, 30);
  for (int k = 0; k < 4; ++k) EXPECT_EQ(turned[k].X, corners[k].X) << k;
}

}  // namespace
}  // namespace vuzed
