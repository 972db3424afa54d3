#include "objects/character.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vuzed {
namespace {

class Dot : public TCharacter {
 public:
  void Draw() override { ++Draws; }
  const char* ClassName() const override { return "Dot"; }
  int Draws = 0;
};

class Plain : public TCharacter {
 public:
  void Draw() override {}
};

TEST(TCharacter, StartsAtZero) {
  Dot d;
  EXPECT_EQ(d.X, 0.0f);
  EXPECT_EQ(d.Y, 0.0f);
  EXPECT_EQ(d.IdouX, 0.0f);
  EXPECT_EQ(d.IdouY, 0.0f);
  EXPECT_EQ(d.Atari, 0);
  EXPECT_EQ(d.PictureID, 0);
}

TEST(TCharacter, VirtualSlotsReachTheSubclass) {
  Dot d;
  TCharacter& base = d;
  base.Draw();
  EXPECT_EQ(d.Draws, 1);
  EXPECT_STREQ(base.ClassName(), "Dot");
  Plain p;
  EXPECT_STREQ(static_cast<TCharacter&>(p).ClassName(), "TCharacter");
}

TEST(TCharacter, MoveAddsMovementOnce) {
  Dot d;
  d.X = 10;
  d.Y = 20;
  d.IdouX = 1.5f;
  d.IdouY = -2;
  TCharacter& base = d;
  base.Move();
  EXPECT_EQ(d.X, 11.5f);
  EXPECT_EQ(d.Y, 18.0f);
}

TEST(TCharacter, MoveRoundsEachStepToSingle) {
  Dot d;
  d.X = 16777216.0f;  // 2^24: adding 1 in single precision changes nothing
  d.IdouX = 1.0f;
  d.Y = 0.1f;
  d.IdouY = 0.2f;
  d.Move();
  EXPECT_EQ(d.X, 16777216.0f);
  EXPECT_EQ(d.Y, 0.1f + 0.2f);
}

TEST(SetMovementFromAngle, NinetyDegreesPointsDown) {
  Dot d;
  SetMovementFromAngle(d, 90, 3);
  EXPECT_NE(d.IdouX, 0.0f);  // cos of pi/2 in floating point is not exactly 0
  EXPECT_NEAR(d.IdouX, 0.0f, 1e-6);
  EXPECT_EQ(d.IdouY, 3.0f);
}

TEST(SetMovementFromAngle, ComputedInDoubleAndRoundedOnce) {
  Dot d;
  const float angle = 37.7f, speed = 2.3f;
  SetMovementFromAngle(d, angle, speed);
  const double t = double(angle) * (3.14159265358979323846 / 180.0);
  EXPECT_EQ(d.IdouX, float(std::cos(t) * double(speed)));
  EXPECT_EQ(d.IdouY, float(std::sin(t) * double(speed)));
}

TEST(SetMovementFromAngle, AnglesAreNotNormalised) {
  Dot a, b;
  SetMovementFromAngle(a, 180, 2);
  SetMovementFromAngle(b, -180 + 720, 2);
  EXPECT_EQ(a.IdouX, -2.0f);
  EXPECT_NEAR(b.IdouX, -2.0f, 1e-6);
  EXPECT_NEAR(a.IdouY, b.IdouY, 1e-6);
}

TEST(AngleTowards, DirectionsOfThePlayfield) {
  EXPECT_EQ(AngleTowards(0, 0, 5, 0), 0.0f);
  EXPECT_EQ(AngleTowards(0, 0, 0, 5), 90.0f);  // down the screen
  EXPECT_EQ(AngleTowards(0, 0, 0, -5), -90.0f);
  EXPECT_EQ(AngleTowards(0, 0, -5, 0), 180.0f);
  EXPECT_EQ(AngleTowards(10, 10, 20, 20), 45.0f);
  EXPECT_EQ(AngleTowards(3, 4, 3, 4), 0.0f);
}

TEST(AngleTowards, MatchesTheDoubleFormulaAndFeedsMovement) {
  const float fx = 123.4f, fy = 56.7f, tx = -8.9f, ty = 300.25f;
  const double expect =
      std::atan2(double(ty) - double(fy), double(tx) - double(fx)) * (180.0 / 3.14159265358979323846);
  const float angle = AngleTowards(fx, fy, tx, ty);
  EXPECT_EQ(angle, float(expect));
  // Moving along that angle heads for the target.
  Dot d;
  d.X = fx;
  d.Y = fy;
  SetMovementFromAngle(d, angle, 1);
  EXPECT_LT(d.IdouX, 0.0f);
  EXPECT_GT(d.IdouY, 0.0f);
  EXPECT_NEAR(d.IdouY / d.IdouX, (ty - fy) / (tx - fx), 1e-4);
}

}  // namespace
}  // namespace vuzed
