// The enemy and its script: header block, per-frame run, commands,
// procedures, movement and the runaway limits, through real stages.

#include "enemy/enemy.h"

#include <gtest/gtest.h>

#include <cstring>

#include "enemy/enemy_stage_fixture.h"

namespace vuzed {
namespace {

using test::EnemyDefinition;
using test::EnemyStage;

// Items of one class whose X lies within 5 pixels of x.
size_t ItemsNear(TEnemyControl& control, const char* className, float x) {
  size_t n = 0;
  for (auto& item : control.Items)
    if (std::strcmp(item->ClassName(), className) == 0 && item->X >= x - 5 && item->X <= x + 4) ++n;
  return n;
}

TEST_F(EnemyStage, PowerItemCountsZeroMinusOneAndAbsentDropOneNoneAndOne) {
  auto def = [](const char* name, int x, const std::string& extra) {
    return EnemyDefinition(name, "    X := " + std::to_string(x) + ";\n    Y := 100;\n" + extra, "");
  };
  Load("A,B,C,D",
       def("A", 100, "    POWERITEM := 0;\n    SCOREITEM := -1;\n") + def("B", 200, "    POWERITEM := -1;\n    SCOREITEM:=-1;\n") +
           def("C", 300, "    SCOREITEM := -1;\n") + def("D", 400, "    POWERITEM := 2;\n"),
       "  if time = 1 then begin CreateEnemy(A); CreateEnemy(B); CreateEnemy(C); CreateEnemy(D); end;\n"
       "  if time = 2 then CleanEnemy;");
  g.RunTo(1);
  ASSERT_EQ(Control().Enemies.size(), 4u);
  EXPECT_EQ(Enemy(1).X, 200);
  EXPECT_EQ(Enemy(3).PowerItems, 2);
  g.RunTo(2);  // ordered to die by the stage, removed by the enemy step of the same frame
  EXPECT_EQ(Control().Enemies.size(), 0u);
  EXPECT_EQ(Control().Effects.size(), 4u);
  EXPECT_EQ(ItemsNear(Control(), "TPowerItem", 100), 1u);
  EXPECT_EQ(ItemsNear(Control(), "TPowerItem", 200), 0u);
  EXPECT_EQ(ItemsNear(Control(), "TPowerItem", 300), 1u);
  EXPECT_EQ(ItemsNear(Control(), "TPowerItem", 400), 3u);
  EXPECT_EQ(ItemsNear(Control(), "TScoreItem", 400), 1u);
  EXPECT_EQ(Control().Items.size(), 6u);
}

TEST_F(EnemyStage, AHeaderValueThatIsNoWholeNumberCreatesNoEnemyAndIsReported) {
  Load("GOOD,BAD,WORSE",
       EnemyDefinition("GOOD", "    HP := 5;\n", "") + EnemyDefinition("BAD", "    HP := 1.5;\n", "") +
           EnemyDefinition("WORSE", "    X := ;\n", ""),
       "  if time = 1 then begin CreateEnemy(BAD); CreateEnemy(GOOD); CreateEnemy(WORSE); end;");
  g.RunTo(3);
  ASSERT_EQ(Control().Enemies.size(), 1u);
  EXPECT_EQ(Enemy(0).Hp, 5);
  EXPECT_EQ(Reports(), 2u);
}

TEST_F(EnemyStage, CountIsOneInTheFirstRunAndTheHeaderAppliesBeforeIt) {
  Load("E", EnemyDefinition("E", "    X := 100;\n", "  if count = 1 then SetY(GetSelfX + count);\n"),
       "  if time = 1 then CreateEnemy(E);");
  g.RunTo(1);
  EXPECT_EQ(Enemy(0).Y, 101);
  EXPECT_EQ(Enemy(0).Count, 1);
}

TEST_F(EnemyStage, MoveToWithTimeOf60FramesOver60PixelsMoves61Steps) {
  Load("E", EnemyDefinition("E", "    X := 100;\n    Y := 50;\n", "  if count = 1 then MoveToWithTime(60, 160, 50);\n"),
       "  if time = 1 then CreateEnemy(E);");
  g.RunTo(1);
  EXPECT_EQ(Enemy(0).X, 101);
  g.RunTo(60);
  EXPECT_EQ(Enemy(0).X, 160);
  g.RunTo(61);
  EXPECT_EQ(Enemy(0).X, 161);  // one pixel past the point
  g.RunTo(90);
  EXPECT_EQ(Enemy(0).X, 161);
  EXPECT_EQ(Enemy(0).Y, 50);
}

TEST_F(EnemyStage, MoveToStopsOnThePointAndMoveGoesOn) {
  Load("E,F",
       EnemyDefinition("E", "    X := 0;\n", "  if count = 1 then MoveTo(2, 0, 20);\n") +
           EnemyDefinition("F", "", "  if count = 1 then Move(3, 90);\n"),
       "  if time = 1 then begin CreateEnemy(E); CreateEnemy(F); end;");
  g.RunTo(40);
  EXPECT_EQ(Enemy(0).Y, 22);  // a timer of 10 moves 11 times
  EXPECT_NEAR(Enemy(1).Y, 120, 1e-3);
  EXPECT_EQ(Enemy(1).MoveTimer, -1);
}

TEST_F(EnemyStage, EnemiesOfOneDefinitionShareTheirVariables) {
  Load("E", EnemyDefinition("E", "", "  v := v + 1;\n  SetY(v);\n", "  v : single;\n"),
       "  if time = 1 then begin CreateEnemy(E); CreateEnemy(E); end;\n  if time = 3 then CreateEnemy(E);");
  g.RunTo(2);
  EXPECT_EQ(Enemy(0).Y, 3);
  EXPECT_EQ(Enemy(1).Y, 4);
  g.RunTo(3);
  EXPECT_EQ(Enemy(2).Y, 7);  // a newcomer sees the value the others left
}

TEST_F(EnemyStage, ExitInAProcedureReturnsToTheCallerAndArgumentsArrive) {
  Load("E,P",
       "procedure P(a, b: single);\nbegin\n  SetX(a + b);\n  exit;\n  SetX(99);\nend;\n" +
           EnemyDefinition("E", "", "  P(2, 3, 1000);\n  SetY(GetSelfX + 1);\n  exit;\n  SetY(99);\n"),
       "  if time = 1 then CreateEnemy(E);");
  g.RunTo(1);
  EXPECT_EQ(Enemy(0).X, 5);  // the extra argument is ignored
  EXPECT_EQ(Enemy(0).Y, 6);
  EXPECT_EQ(Reports(), 0u);
}

TEST_F(EnemyStage, AnUnknownBuNumberFiresNothingAndCallsTheProcedureOfThatName) {
  Load("E,BU99", "procedure BU99;\nbegin\n  SetX(42);\nend;\n" + EnemyDefinition("E", "", "  BU99;\n"),
       "  if time = 1 then CreateEnemy(E);");
  g.RunTo(1);
  EXPECT_EQ(Enemy(0).X, 42);
  EXPECT_TRUE(Control().Tamas.empty());
}

TEST_F(EnemyStage, LoopsRunTheirBodyFromStartToLimitEveryFrame) {
  Load("E", EnemyDefinition("E", "", "  for i := 0 to 3 do\n  begin\n    n := n + 1;\n  end;\n  SetX(n);\n",
                            "  i : single;\n  n : single;\n"),
       "  if time = 1 then CreateEnemy(E);");
  g.RunTo(1);
  EXPECT_EQ(Enemy(0).X, 3);
  g.RunTo(2);
  EXPECT_EQ(Enemy(0).X, 6);
}

TEST_F(EnemyStage, RunawayLoopsAndCallChainsEndTheirFrameWithOneReport) {
  Load("E,R,OK",
       "procedure R;\nbegin\n  R;\nend;\n" + EnemyDefinition("E", "", "  SetX(GetSelfX + 1);\n  Goto(L)(1);\n") +
           EnemyDefinition("OK", "", "  R;\n  SetY(GetSelfY + 1);\n"),
       "  if time = 1 then begin CreateEnemy(E); CreateEnemy(OK); end;");
  g.RunTo(1);
  ASSERT_EQ(Control().Enemies.size(), 2u);
  EXPECT_EQ(Enemy(0).X, 50000);  // 100000 lines of two-line loop
  g.RunTo(3);
  EXPECT_EQ(Enemy(0).X, 150000);  // it runs again in the next frames
  EXPECT_EQ(Enemy(0).Count, 3);
  EXPECT_EQ(Enemy(1).Y, 0);       // the chain ends the caller's frame as well
  EXPECT_EQ(Enemy(1).Count, 3);
  EXPECT_EQ(Reports(), 2u);
}

TEST_F(EnemyStage, DamageKillsAtZeroAndDestroyRemovesWithoutExplosion) {
  Load("E,F", EnemyDefinition("E", "    X := 100;\n    Y := 100;\n    HP := 3;\n", "") + EnemyDefinition("F", "    HP := 3;\n", "  if count = 2 then Destroy;\n"),
       "  if time = 1 then begin CreateEnemy(E); CreateEnemy(F); end;");
  g.RunTo(1);
  Enemy(0).Damage(2);
  EXPECT_FALSE(Enemy(0).Dead);
  Enemy(0).Damage(1);
  EXPECT_TRUE(Enemy(0).Dead);
  g.RunTo(2);  // the killed enemy explodes; DESTROY with Hp 3 leaves nothing
  EXPECT_TRUE(Control().Enemies.empty());
  EXPECT_EQ(Control().Effects.size(), 1u);
  EXPECT_EQ(Control().Items.size(), 2u);
}

TEST_F(EnemyStage, AFamiliarStartsAtItsMakersPositionAndCannotBeHit) {
  Load("E,T", EnemyDefinition("E", "    X := 70;\n    Y := 80;\n", "  if count = 1 then CreateTukaima(T);\n") +
                  EnemyDefinition("T", "    POWERITEM := 5;\n", ""),
       "  if time = 1 then CreateEnemy(E);");
  g.RunTo(1);
  ASSERT_EQ(Control().Enemies.size(), 2u);
  const TEnemy& familiar = Enemy(1);
  EXPECT_STREQ(familiar.ClassName(), "TTukaima");
  EXPECT_EQ(familiar.Count, 0);  // made during the step: it runs from the next frame
  EXPECT_EQ(familiar.X, 70);
  EXPECT_EQ(familiar.Y, 80);
  EXPECT_EQ(familiar.Atari, -1);
  EXPECT_EQ(familiar.PowerItems, 0);
}

}  // namespace
}  // namespace vuzed
