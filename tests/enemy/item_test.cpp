// Items: where they appear, their fall schedule, homing, pick-up and the
// playfield bounds, stepped by the enemy control.

#include "enemy/item.h"

#include <gtest/gtest.h>

#include <cmath>

#include "enemy/enemy_control.h"
#include "game/play_state.h"
#include "game/playfield.h"
#include "player/player_control.h"

namespace vuzed {
namespace {

// Items on a bare playfield: the ship, the enemy control and a score; no
// pictures, no stage, no game.
struct ItemStep : ::testing::Test {
  struct Scoreboard : TPlayState {};
  void SetUp() override {
    Field.Play = &Board;
    Player.ResetPlayer();  // a fresh ship, as a game starts with
    Ship().X = 200;
    Ship().Y = 300;
  }
  TEnemyControl& Control() { return Enemies; }
  TPlayer& Ship() { return Player.Ship; }
  template <class T>
  TPowerItem& Add(int32_t x, int32_t y) {
    Control().Items.push_back(std::make_unique<T>(Field, x, y));
    return *Control().Items.back();
  }

  TPlayfield Field;
  Scoreboard Board;
  TPlayerControl Player{Field};
  TEnemyControl Enemies{Field};
};

TEST_F(ItemStep, AnItemAppearsWithinTenPixelsAboveAndBesideItsPoint) {
  for (uint32_t seed = 1; seed < 40; ++seed) {
    Field.RandSeed = seed * 2654435761u;
    TPowerItem item(Field, 100, 200);
    EXPECT_TRUE(item.X >= 95 && item.X <= 104) << item.X;
    EXPECT_TRUE(item.Y >= 191 && item.Y <= 200) << item.Y;
    EXPECT_EQ(item.Atari, 10);
  }
}

TEST_F(ItemStep, APowerItemRisesSlowsAndFallsUpToThreePixelsAFrame) {
  TPowerItem& item = Add<TPowerItem>(100, 200);
  const float y0 = item.Y;
  for (int i = 0; i < 19; ++i) Control().Update();
  EXPECT_EQ(item.Y, y0 - 19);  // ages 1 to 19 rise a pixel a frame
  for (int i = 0; i < 10; ++i) Control().Update();
  EXPECT_EQ(item.Y, y0 - 24);  // then half a pixel for ten frames
  for (int i = 0; i < 71; ++i) Control().Update();
  ASSERT_EQ(item.Age, 100);
  const float y = item.Y;
  Control().Update();
  EXPECT_EQ(item.Y, y + 3);
}

TEST_F(ItemStep, AScoreItemNeverAgesAndLeavesOverTheTopEdge) {
  TPowerItem& kept = Add<TScoreItem>(100, 200);
  kept.Y = -14;
  TPowerItem& gone = Add<TScoreItem>(150, 200);
  gone.Y = -14.5f;
  Control().Update();
  ASSERT_EQ(Control().Items.size(), 1u);  // -15 is inside, -15.5 outside
  EXPECT_EQ(Control().Items[0]->Y, -15);
  EXPECT_EQ(Control().Items[0]->Age, 0);
}

TEST_F(ItemStep, TheShipHighUpDrawsEveryItemForGood) {
  TPowerItem& item = Add<TPowerItem>(100, 200);
  const float x = item.X, y = item.Y;
  Ship().Y = 99;
  Control().Update();
  EXPECT_TRUE(item.Homing);
  EXPECT_NEAR(std::hypot(item.X - x, item.Y - y), 10, 1e-4);
  Ship().Y = 300;
  Control().Update();
  EXPECT_TRUE(item.Homing);
  EXPECT_GT(item.IdouY, 0);  // now towards the ship below
}

TEST_F(ItemStep, ABombDrawsItemsAndAPickUpRaisesPowerAndScore) {
  Ship().BombTimer = 5;
  const float power = Ship().Power;
  const int32_t score = Board.Score;
  Add<TPowerItem>(200, 330);  // 30 below the ship: outside 10 + 15 until it homes in
  Add<TScoreItem>(215, 310);
  Control().Update();
  EXPECT_TRUE(Control().Items.empty());
  EXPECT_EQ(Ship().Power, power + 0.02f + 0.02f);
  EXPECT_EQ(Board.Score, score + 62);
}

TEST_F(ItemStep, ThePowerLevelReachesTwoOnlyAtTheFiftyFirstItem) {
  // 1.0 plus fifty single-precision steps of 0.02 stays just below 2.0.
  TPlayerControl& player = Player;
  for (int n = 1; n <= 51; ++n) {
    Add<TPowerItem>(200, 300);
    Control().Update();
    ASSERT_TRUE(Control().Items.empty()) << n;
    player.UpdatePlayer();
    if (n == 50) {
      EXPECT_LT(Ship().Power, 2.0f);
      EXPECT_EQ(Ship().PowerLevel, 1);
    }
  }
  EXPECT_EQ(Ship().PowerLevel, 2);
}

}  // namespace
}  // namespace vuzed
