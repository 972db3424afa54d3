#include "enemy/enemy_tama.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "enemy/tama_test_fixture.h"
#include "game/playfield.h"
#include "player/player_control.h"

namespace vuzed {
namespace {

using TamaTest = test::TamaFixture;

// Bullets on a bare playfield: no pictures, no stage, no game; only the ship
// they aim at.
struct BareTamaTest : ::testing::Test {
  TPlayfield Field;
  TPlayerControl Player{Field};
  TPlayer& Ship() { return Player.Ship; }
};

TEST_F(TamaTest, RadiusAndRotationComeFromThePictureNumber) {
  TEnemyBullet1 small(Game(), 0, 0, 0, 1, 15);
  EXPECT_EQ(small.Atari, 4);
  EXPECT_FALSE(small.Rotate);
  EXPECT_EQ(small.PictureID, 15);
  EXPECT_EQ(small.HitDamage, 1);

  TEnemyBullet1 plain(Game(), 0, 0, 0, 1, 45);
  EXPECT_EQ(plain.Atari, 0);
  EXPECT_TRUE(plain.Rotate);

  // A number without a picture keeps picture 0 but still gives its radius;
  // numbers past the table are no pictures and no radius.
  TEnemyBullet1 missing(Game(), 0, 0, 0, 1, 25);
  EXPECT_EQ(missing.PictureID, 0);
  EXPECT_EQ(missing.Atari, 6);
  TEnemyBullet1 beyond(Game(), 0, 0, 0, 1, 5000);
  EXPECT_EQ(beyond.PictureID, 0);
  EXPECT_EQ(beyond.Atari, 0);

  for (auto [picture, atari] : {std::pair{109, 6}, {110, 0}, {89, 8}, {60, 2}, {-5, 0}, {9, 0}}) {
    TEnemyBullet1 b(Game(), 0, 0, 0, 1, picture);
    EXPECT_EQ(b.Atari, atari) << picture;
  }
  // Once a radius is set, a new picture only turns rotation on.
  ApplyPictureRadius(small, 85);
  EXPECT_EQ(small.Atari, 4);
  EXPECT_TRUE(small.Rotate);
}

TEST_F(TamaTest, DrawsOnThePlayfieldOriginRotatedOnlyWhenTheKindRotates) {
  Game().FieldOriginX = 30;
  Game().FieldOriginY = 15;
  const size_t before = Screen().SpriteCount();
  TEnemyBullet1 small(Game(), 100, 50, 90, 0, 15);  // 16 x 8, drawn upright
  TEnemyBullet1 plain(Game(), 10, 20, 90, 0, 45);   // 8 x 8, turned by 90 degrees
  TEnemyBullet1 missing(Game(), 10, 20, 90, 0, 25);
  small.Draw();
  plain.Draw();
  missing.Draw();
  ASSERT_EQ(Screen().SpriteCount(), before + 2);

  const TSpriteRecord& a = Screen().Sprite(before);
  EXPECT_FLOAT_EQ(a.X, 130);
  EXPECT_FLOAT_EQ(a.Y, 65);
  EXPECT_EQ(a.BlendMode, 2);
  EXPECT_TRUE(a.Smooth);
  EXPECT_FLOAT_EQ(a.Vertices[0].X, -8);
  EXPECT_FLOAT_EQ(a.Vertices[0].Y, -4);
  EXPECT_FLOAT_EQ(a.Vertices[3].X, 8);
  EXPECT_EQ(a.Vertices[2].Color, 0xFFFFFFFFu);
  EXPECT_GT(a.Vertices[3].U, 0);

  const TSpriteRecord& b = Screen().Sprite(before + 1);
  EXPECT_NEAR(b.Vertices[0].X, 4, 1e-5);  // top-left (-4, -4) turned clockwise by 90
  EXPECT_NEAR(b.Vertices[0].Y, -4, 1e-5);
}

TEST_F(BareTamaTest, OneTurnActsOnTheMoveItsTimeNames) {
  TEnemyTamaGo2 now(Field, 0, 0, 0, 2, 0, 90, 5, 45);
  now.Move();
  EXPECT_FLOAT_EQ(now.TamaX, 0 + now.TamaIdouX);
  EXPECT_FLOAT_EQ(now.TamaY, 5);
  EXPECT_FLOAT_EQ(now.Angle, 90);
  EXPECT_FLOAT_EQ(now.Speed, 2);  // a turn keeps Speed

  TEnemyTamaGo2 later(Field, 0, 0, 0, 2, 30, 90, 5, 45);
  for (int i = 0; i < 30; ++i) later.Move();
  EXPECT_FLOAT_EQ(later.TamaX, 60);
  EXPECT_FLOAT_EQ(later.TamaY, 0);
  EXPECT_FLOAT_EQ(later.Angle, 0);
  later.Move();
  EXPECT_FLOAT_EQ(later.TamaY, 5);
}

TEST_F(BareTamaTest, TwoTurnsAtTheSameTimeTakeTheSecond) {
  TEnemyTamaGo3 b(Field, 0, 0, 0, 1, 2, 90, 4, 2, 180, 3, 45);
  for (int i = 0; i < 3; ++i) b.Move();
  EXPECT_FLOAT_EQ(b.TamaX, 2 - 3);
  EXPECT_NEAR(b.TamaY, 0, 1e-5);
  EXPECT_FLOAT_EQ(b.Angle, 180);
}

TEST_F(BareTamaTest, StopThenAimFliesAtThePlayerOnTheAimFrame) {
  Ship().X = 100;
  Ship().Y = 0;
  TEnemyTamaGo3_10 waits(Field, 0, 0, 90, 1, 10, 20, 4, 45);
  for (int i = 0; i < 20; ++i) waits.Move();
  EXPECT_FLOAT_EQ(waits.TamaY, 10);  // moved 10 times, then stood
  waits.Move();
  EXPECT_NEAR(waits.Angle, -5.7106, 1e-3);  // atan2(-10, 100) in degrees
  EXPECT_NEAR(std::hypot(waits.TamaIdouX, waits.TamaIdouY), 4, 1e-5);

  // Stop and aim on the same frame: the bullet never stands still.
  TEnemyTamaGo3_10 same(Field, 0, 0, 90, 1, 20, 20, 4, 45);
  for (int i = 0; i < 21; ++i) same.Move();
  EXPECT_GT(same.TamaX, 1);
  EXPECT_NEAR(same.Angle, float(std::atan2(-20.0, 100.0) * 180 / std::numbers::pi), 1e-4);
}

TEST_F(BareTamaTest, PlayfieldBoundsDependOnTheLayout) {
  TEnemyBullet1 b(Field, 520, 550, 0, 0, 45);
  Field.LayoutMode = LayoutVertical;
  EXPECT_FALSE(b.IsOut());  // the bounds themselves are inside
  b.TamaY = 551;
  EXPECT_TRUE(b.IsOut());
  Field.LayoutMode = LayoutSideways;
  EXPECT_FALSE(b.IsOut());
  b.TamaY = 580;
  b.TamaX = 740;
  EXPECT_FALSE(b.IsOut());
  b.TamaY = 580.5f;
  EXPECT_TRUE(b.IsOut());
  Field.LayoutMode = LayoutSlant;
  EXPECT_TRUE(b.IsOut());
  Field.LayoutMode = 9;
  EXPECT_FALSE(b.IsOut());
  // A position that is no number leaves the playfield instead of staying forever.
  Field.LayoutMode = LayoutVertical;
  b.TamaY = std::numeric_limits<float>::quiet_NaN();
  EXPECT_TRUE(b.IsOut());
}

TEST_F(TamaTest, ExpressionTurnsAreEvaluatedWhenTheyHappen) {
  // Turns at TurnCount 2 towards the player's position of that frame.
  TEnemyTamaGo3_2 aimed(Game(), 0, 0, 0, 1, "2", "GETANGLETOPLAYER", "5", "-1", "0", "0", 45);
  aimed.Move();
  aimed.Move();
  Ship().X = 2;
  Ship().Y = 100;
  aimed.Move();
  EXPECT_FLOAT_EQ(aimed.Angle, 90);
  EXPECT_FLOAT_EQ(aimed.TamaY, 5);

  // A time that is a number turns where the same time as an expression
  // turns: at TurnCount Round(time).
  for (const char* time : {"2", "2.5", "1.5", "GETSELFX*0+2"}) {
    TEnemyTamaGo3_2 timed(Game(), 0, 0, 0, 1, "-1", "0", "0", time, "90", "3", 45);
    timed.Move();
    timed.Move();
    EXPECT_FLOAT_EQ(timed.Angle, 0) << time;
    timed.Move();
    EXPECT_FLOAT_EQ(timed.Angle, 90) << time;
  }

  // The speed is drawn once for each axis.
  Game().RandSeed = 1;
  TEnemyTamaGo3_2 random(Game(), 0, 0, 0, 1, "0", "45", "RANDOM(1000)", "-1", "0", "0", 45);
  random.Move();
  EXPECT_NE(std::fabs(random.TamaIdouX), std::fabs(random.TamaIdouY));

  // A time that is not an expression counts as 0 and is reported once.
  const size_t reports = Reports();
  TEnemyTamaGo3_2 broken(Game(), 0, 0, 0, 1, "NOSUCH(3)", "90", "2", "-1", "0", "0", 45);
  broken.Move();
  broken.Move();
  EXPECT_FLOAT_EQ(broken.Angle, 90);
  EXPECT_EQ(Reports(), reports + 1);
}

TEST_F(TamaTest, BulletNamesIncludeTheStageSet) {
  TEnemyBullet1 b(Game(), 10, 20, 30, 2, 45);
  b.Action();
  b.Action();
  Ship().X = 10;
  Ship().Y = 120;
  Game().ScriptRun->MainCount = 7;
  Game().ScriptRun->GlobalVars.Add("G", 4);
  const TSourcePlace place;
  EXPECT_FLOAT_EQ(b.EvaluateAt("COUNT*100+GETSELFX+GETSELFY", place), 230);
  EXPECT_FLOAT_EQ(b.EvaluateAt("GETANGLETOPLAYER", place), 90);
  EXPECT_FLOAT_EQ(b.EvaluateAt("GETPICTUREID+GETANGLE", place), 75);
  EXPECT_FLOAT_EQ(b.EvaluateAt("TIME+G+TRUE", place), 12);
  float value = 0;
  EXPECT_FALSE(b.GetValue("B1", value));  // only scripted bullets know B1
  EXPECT_TRUE(b.EvaluateConditionAt("GETIDOUY=1", place));
}

}  // namespace
}  // namespace vuzed
