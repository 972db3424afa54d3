#include "enemy/enemy_laser.h"

#include <gtest/gtest.h>

#include <limits>

#include "enemy/tama_test_fixture.h"

namespace vuzed {
namespace {

struct LaserTest : test::TamaFixture {
  // LA01 from (100, 200) to the right: width 20, hit width 10, picture 60.
  TEnemyTamaLaser1 Horizontal(int32_t warmUp = 60, int32_t duration = 30) {
    return TEnemyTamaLaser1(Game(), 100, 200, 0, 20, 10, warmUp, duration, 60);
  }
  static void Frames(TEnemyTamaLaser1& laser, int n) {
    for (int i = 0; i < n; ++i) laser.Action();
  }
};

TEST_F(LaserTest, SegmentsLieEveryFourPixelsUpToTheScreenEdge) {
  TEnemyTamaLaser1 laser = Horizontal();
  ASSERT_EQ(laser.Segments.size(), 135u);
  EXPECT_EQ(laser.Segments.front().TamaX, 104);
  EXPECT_EQ(laser.Segments.back().TamaX, 640);  // the last one may lie just outside
  EXPECT_EQ(laser.Segments.back().TamaY, 200);
  EXPECT_EQ(laser.Look.Atari, 5);
  EXPECT_EQ(laser.Look.HitDamage, 1);
  EXPECT_EQ(laser.Look.PictureID, 60);
  // The laser object itself neither grazes nor hurts.
  EXPECT_EQ(laser.Atari, 0);
  EXPECT_EQ(laser.HitDamage, 0);
  EXPECT_FALSE(laser.IsOut());

  TEnemyTamaLaser1 down(Game(), 100, 200, 90, 20, 10, 60, 30, 60);
  EXPECT_EQ(down.Segments.size(), 70u);
  EXPECT_EQ(down.Segments.back().TamaY, 480);
  EXPECT_TRUE(TEnemyTamaLaser1(Game(), -3, 200, 0, 20, 10, 60, 30, 60).Segments.empty());
  EXPECT_TRUE(TEnemyTamaLaser1(Game(), 639.6f, 10, 180, 20, 10, 60, 30, 60).Segments.empty());
}

TEST_F(LaserTest, ASegmentIsThinThenWidensHoldsAndFades) {
  TEnemyTamaLaser1 laser = Horizontal();
  const TEnemyTamaLaserBullet& s = laser.Look;
  Frames(laser, 19);
  EXPECT_FLOAT_EQ(s.Scale, 1.0f / 20);
  EXPECT_EQ(s.Alpha, 175);
  Frames(laser, 1);  // frame 20 keeps what frame 19 set
  EXPECT_FLOAT_EQ(s.Scale, 1.0f / 20);
  Frames(laser, 1);
  EXPECT_FLOAT_EQ(s.Scale, 21.0f / 60);
  EXPECT_EQ(s.Alpha, 177);
  Frames(laser, 38);
  EXPECT_FLOAT_EQ(s.Scale, 59.0f / 60);
  EXPECT_FALSE(s.AtFullWidth());
  Frames(laser, 1);
  EXPECT_FLOAT_EQ(s.Scale, 1);
  EXPECT_TRUE(s.AtFullWidth());  // frames 60 to 89
  Frames(laser, 29);
  EXPECT_TRUE(s.AtFullWidth());
  Frames(laser, 1);
  EXPECT_FALSE(s.AtFullWidth());
  EXPECT_FLOAT_EQ(s.Scale, 1);
  Frames(laser, 1);
  EXPECT_FLOAT_EQ(s.Scale, 1 - 1.0f / 40);
  Frames(laser, 38);
  EXPECT_EQ(laser.Segments.size(), 135u);
  EXPECT_FALSE(laser.Finished);
  Frames(laser, 1);  // frame 130
  EXPECT_TRUE(laser.Segments.empty());
  EXPECT_TRUE(laser.Finished);
  EXPECT_TRUE(laser.IsOut());
}

TEST_F(LaserTest, ShortAndNegativeTimesStillEnd) {
  TEnemyTamaLaser1 quick = Horizontal(10, 5);
  Frames(quick, 1);
  EXPECT_EQ(quick.Look.Alpha, 2);  // widening from alpha 0 at once
  EXPECT_FLOAT_EQ(quick.Look.Scale, 0.1f);
  TEnemyTamaLaser1 backwards = Horizontal(-100, 0);
  Frames(backwards, 1);
  EXPECT_TRUE(backwards.Finished);
}

TEST_F(LaserTest, EverySegmentGrazesOnceAndAHitPausesTheLaserForTenFrames) {
  Ship().GrazeRadius = 20;
  Ship().Atari = 2;
  Ship().Hp = 100;
  Ship().InvulnerableTimer = 0;
  Ship().Graze = 0;
  Ship().X = 300;
  Ship().Y = 215;
  TEnemyTamaLaser1 laser = Horizontal();
  Frames(laser, 59);
  laser.TestPlayer();
  EXPECT_EQ(Ship().Graze, 0);  // not yet at full width
  Frames(laser, 1);
  laser.TestPlayer();
  EXPECT_EQ(Ship().Graze, 9);  // x = 284 .. 316 lie within 25 pixels
  laser.TestPlayer();
  EXPECT_EQ(Ship().Graze, 9);
  EXPECT_EQ(Ship().Hp, 100);

  Ship().Y = 203;
  laser.TestPlayer();
  EXPECT_EQ(Ship().Hp, 97);  // three segments within 7 pixels, each hits
  EXPECT_EQ(laser.HitCooldown, 10);
  const int32_t grazed = Ship().Graze;
  Ship().X = 500;
  for (int i = 0; i < 10; ++i) laser.TestPlayer();
  EXPECT_EQ(Ship().Graze, grazed);
  EXPECT_EQ(Ship().Hp, 97);
  laser.TestPlayer();
  EXPECT_GT(Ship().Graze, grazed);
  EXPECT_EQ(Ship().Hp, 94);
}

TEST_F(LaserTest, ATurningLaserSpinsAroundItsRoundedOrigin) {
  TEnemyTamaLaser2 laser(Game(), 100.4f, 200, 0, 20, 10, 60, 30, 60, 1);
  ASSERT_EQ(laser.Segments.size(), 135u);
  EXPECT_EQ(laser.Look.Atari, 2);  // a quarter of the hit width, rounded half to even
  for (int i = 0; i < 90; ++i) laser.Move();
  EXPECT_FLOAT_EQ(laser.CurAngle, 90);
  EXPECT_EQ(laser.Segments[0].TamaX, 100);
  EXPECT_EQ(laser.Segments[0].TamaY, 200);
  EXPECT_EQ(laser.Segments[2].TamaX, 100);
  EXPECT_EQ(laser.Segments[2].TamaY, 208);
  EXPECT_EQ(laser.Look.Angle, 0);  // pictures keep their first direction

  // A direction that is no number puts every segment at (0, 0).
  TEnemyTamaLaser2 lost(Game(), 100, 200, 0, 20, 10, 60, 30, 60, std::numeric_limits<float>::infinity());
  lost.Move();
  EXPECT_EQ(lost.Segments[5].TamaX, 0);
  EXPECT_EQ(lost.Segments[5].TamaY, 0);
}

TEST_F(LaserTest, SegmentsDrawAsTranslucentStripsOfTheirCurrentWidth) {
  Game().FieldOriginX = 30;
  Game().FieldOriginY = 15;
  TEnemyTamaLaser1 laser = Horizontal();
  Frames(laser, 21);  // width 20 * 21/60 = 7, alpha 177
  const size_t before = Screen().SpriteCount();
  laser.Draw();
  ASSERT_EQ(Screen().SpriteCount(), before + 135);
  const TSpriteRecord& s = Screen().Sprite(before);
  EXPECT_FLOAT_EQ(s.X, 134);
  EXPECT_FLOAT_EQ(s.Y, 215);
  EXPECT_FLOAT_EQ(s.Vertices[0].X, -6);  // picture 60 is 12 wide
  EXPECT_FLOAT_EQ(s.Vertices[0].Y, -3.5f);
  EXPECT_EQ(s.Vertices[3].Color, 0xB1FFFFFFu);
  EXPECT_EQ(s.BlendMode, 2);
  EXPECT_FALSE(s.Smooth);

  TEnemyTamaLaser1 unseen(Game(), 100, 200, 0, 20, 10, 60, 30, 99);
  unseen.Draw();
  EXPECT_EQ(Screen().SpriteCount(), before + 135);
}

}  // namespace
}  // namespace vuzed
