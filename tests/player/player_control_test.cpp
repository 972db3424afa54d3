// The shot rings, the volleys by layout and slow state, the bomb spiral and
// the shots' flight, through the game loop and through `vuzed-tool run`.

#include "player/player_control.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "back/texture_list.h"
#include "player/ship_game.h"
#include "support/bmp_writer.h"
#include "support/test_dir.h"
#include "support/tool_runner.h"

namespace vuzed {
namespace {

using test::GameFixture;
using test::StartShip;

// Angle and damage of the normal shots in slots from..to.
std::vector<int32_t> Angles(const TPlayerControl& pc, int from, int to) {
  std::vector<int32_t> angles;
  for (int i = from; i <= to; ++i) angles.push_back(pc.Shots[size_t(i)]->Angle);
  return angles;
}

TEST(PlayerShotRing, SlotsRunFromOneAndWrapThroughZero) {
  GameFixture g;
  TPlayerControl& pc = StartShip(g, "");
  EXPECT_EQ(&pc.NextShot(), pc.Shots[1].get());
  for (int i = 2; i < 128; ++i) pc.NextShot();
  EXPECT_EQ(&pc.NextShot(), pc.Shots[0].get());  // the 128th
  EXPECT_EQ(&pc.NextShot(), pc.Shots[1].get());  // the 129th

  EXPECT_EQ(&pc.NextBombShot(), pc.BombShots[1].get());
  for (int i = 2; i < 500; ++i) pc.NextBombShot();
  EXPECT_EQ(&pc.NextBombShot(), pc.BombShots[500].get());
  EXPECT_EQ(&pc.NextBombShot(), pc.BombShots[0].get());

  pc.ResetPlayer();
  EXPECT_EQ(&pc.NextShot(), pc.Shots[1].get());
}

TEST(PlayerVolley, AnglesByLayoutAndSlowState) {
  struct Case {
    uint8_t Layout;
    const char* Keys;
    std::vector<int32_t> Angles;
  };
  const Case cases[] = {
      {LayoutVertical, "1 z\n", {-90, -100, -110, -120, -80, -70, -60}},
      {LayoutVertical, "1 z shift\n", {-90, -93, -96, -99, -102, -87, -84, -81, -78}},
      {LayoutSideways, "1 z\n", {0, -5, -10, 5, 10}},
      {LayoutSideways, "1 z d\n", {0, -2, -5, 2, 5}},
      {LayoutSlant, "1 z\n", {}},
  };
  for (const Case& k : cases) {
    GameFixture g;
    TPlayerControl& pc = StartShip(g, k.Keys);
    g.Game().LayoutMode = k.Layout;
    g.RunTo(1);
    const int n = int(k.Angles.size());
    EXPECT_EQ(pc.ShotIndex, n) << k.Keys;
    EXPECT_FALSE(pc.Shots[0]->Active);
    EXPECT_FALSE(pc.Shots[size_t(n + 1)]->Active);
    EXPECT_EQ(Angles(pc, 1, n), k.Angles) << k.Keys;
    if (n == 0) continue;
    // Fired from the ship and moved once at 20 pixels per frame; damage is
    // the power level.
    const TPlayerTama& first = *pc.Shots[1];
    EXPECT_TRUE(first.Active);
    EXPECT_EQ(first.Damage, 1);
    EXPECT_EQ(first.Atari, 16);
    const double a = k.Angles[0] * 3.14159265358979 / 180;
    EXPECT_NEAR(first.X, 200 + 20 * std::cos(a), 1e-4);
    EXPECT_NEAR(first.Y, 400 + 20 * std::sin(a), 1e-4);
  }
}

TEST(PlayerVolley, OneVolleyEverySixFramesAtPowerLevelOrTabDamage) {
  GameFixture g;
  TPlayerControl& pc = StartShip(g, "1-13 z\n14-20 z tab\n");
  pc.Ship.Power = 2.98f;
  g.RunTo(13);
  EXPECT_EQ(pc.ShotIndex, 21);  // passes 1, 7 and 13
  EXPECT_EQ(pc.Shots[21]->Damage, 2);
  g.RunTo(19);
  EXPECT_EQ(pc.ShotIndex, 28);
  EXPECT_EQ(pc.Shots[28]->Damage, 100);
}

TEST(PlayerBomb, SpiralStartsThirtyFramesInWithArmsAt174_54_Minus66) {
  GameFixture g;
  g.Dir.Write("data/information.ini", "[Screen]\nFullScreen=0\n");  // pictures load only with it
  g.Dir.Write("data/Graphic/Bullet/65.bmp", test::MakeBmp(test::PictureOf(2, 2, 24, [](int, int) { return 0xFFFFFFu; })));
  TPlayerControl& pc = StartShip(g, "1 x\n");
  g.RunTo(31);
  EXPECT_EQ(pc.BombShotIndex, 0);
  g.RunTo(32);  // bomb timer 149
  ASSERT_EQ(pc.Ship.BombTimer, 149);
  ASSERT_EQ(pc.BombShotIndex, 12);
  const int32_t want[] = {174, 180, 186, 192, 54, 60, 66, 72, -66, -60, -54, -48};
  for (int i = 0; i < 12; ++i) {
    const TPlayerBombTama& shot = *pc.BombShots[size_t(i + 1)];
    EXPECT_EQ(shot.Angle, want[i]) << i;
    EXPECT_EQ(shot.Damage, 2);
    EXPECT_NEAR(std::hypot(shot.IdouX, shot.IdouY), 10, 1e-5);
  }
  const TMXTexture* picture65 = g.Game().TextureList->Get(TPictureTable::Bullet, 65);
  ASSERT_NE(picture65, nullptr);
  EXPECT_EQ(pc.BombShots[1]->Picture, picture65);
  g.RunTo(33);  // 148: turned by -6 degrees
  EXPECT_EQ(pc.BombShots[13]->Angle, 168);
  EXPECT_EQ(pc.BombShots[17]->Angle, 48);
  EXPECT_EQ(pc.BombShots[21]->Angle, -72);
}

TEST(PlayerShot, LeavesTheVerticalPlayfieldOnlyPastItsEdge) {
  GameFixture g;
  TPlayerControl& pc = StartShip(g, "");
  TPlayerTama& shot = *pc.Shots[3];
  auto flyTo = [&](float x) {
    shot.Launch(1, 0, x - 20, 100);
    shot.Move();
    return shot.Active;
  };
  EXPECT_TRUE(flyTo(430));
  EXPECT_FALSE(flyTo(430.5f));
  g.Game().LayoutMode = LayoutSideways;
  EXPECT_TRUE(flyTo(5000));
  pc.ClearShots();
  EXPECT_FALSE(shot.Active);
}

TEST(PlayerEndToEnd, TheToolRunsTheShipAndItsBomb) {
  test::TempDir root;
  auto keys = root.Write("keys.txt", "1-60 right\n2 x\n");
  auto r = test::RunTool({"run", "--root", root.Path().string(), "--frames", "60", "--input", keys.string(), "--dump"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  auto lines = r.OutLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0],
            "{\"kind\":\"player\",\"x\":400,\"y\":400,\"lives\":3,\"bombs\":2,\"hp\":4,\"power\":1,\"graze\":0,"
            "\"bomb\":122,\"invulnerable\":120,\"alive\":true}");
}

}  // namespace
}  // namespace vuzed
