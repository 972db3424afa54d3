// Decoded script lines: a line rewritten while the game runs, or a new list
// where a freed one was, runs as it reads now; remembered procedures follow
// the procedure table.

#include "script/line_cache.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "enemy/enemy_stage_fixture.h"
#include "enemy/enemy_tama_script.h"
#include "enemy/tama_test_fixture.h"

namespace vuzed {
namespace {

using test::EnemyDefinition;
using test::EnemyStage;

struct LineCacheBullet : test::TamaFixture {
  TVarTable Vars;
};

TEST_F(LineCacheBullet, ARewrittenLineRunsAsItReadsNowLoopLinesIncluded) {
  Vars.Add("I");
  TLineList lines;
  for (const char* text : {"BEGIN;", "SETX(I);", "I:=I+1;"}) lines.push_back({text, {}});
  const TSecondStringList2 definition(&lines, &Vars);
  TEnemyTamaScript b(Game(), definition, 0, 0, 0);
  b.Action();
  b.Action();
  EXPECT_EQ(b.TamaX, 1);
  // Same length (the text stays where it was), then a different command.
  lines.SetText(1, "SETX(7);");
  b.Action();
  EXPECT_EQ(b.TamaX, 7);
  lines.SetText(1, "SETY(I*2);");
  b.Action();
  EXPECT_EQ(b.TamaX, 7);
  EXPECT_EQ(b.TamaY, 6);
  // Line 0 never runs, but as a loop line its variable starts over every run.
  lines.SetText(0, "FOR(I,10,0)(1,2)");
  b.Action();
  EXPECT_EQ(b.TamaY, 20);
  EXPECT_EQ(Vars.Find("I")->Get(), 11);
}

TEST_F(LineCacheBullet, ANewListWhereAFreedOneWasIsReadAfresh) {
  std::optional<TLineList> lines;
  lines.emplace(TLineList{{"BEGIN;", {}}, {"SETX(5);", {}}, {"END;", {}}});
  const TSecondStringList2 definition(&*lines, &Vars);
  TEnemyTamaScript first(Game(), definition, 0, 0, 0);
  first.Action();
  EXPECT_EQ(first.TamaX, 5);
  lines.reset();
  lines.emplace(TLineList{{"BEGIN;", {}}, {"SETY(5);", {}}, {"END;", {}}});
  TEnemyTamaScript second(Game(), definition, 0, 0, 0);
  second.Action();
  EXPECT_EQ(second.TamaX, 0);
  EXPECT_EQ(second.TamaY, 5);
}

TEST_F(EnemyStage, AnEnemyLineRewrittenWhileItRunsIsNoticedAndStillReported) {
  Load("E", EnemyDefinition("E", "", "  SetX(5);\n  SetY(count);\n"), "  if time = 1 then CreateEnemy(E);");
  g.RunTo(3);
  ASSERT_EQ(Control().Enemies.size(), 1u);
  EXPECT_EQ(Enemy(0).X, 5);
  TLineList& lines = **g.Game().ScriptRun->Script.Procedures.Find("E")->Lines;
  size_t setX = lines.size();
  for (size_t i = 0; i < lines.size(); ++i)
    if (lines[i].Text == "SETX(5);") setX = i;
  ASSERT_LT(setX, lines.size());
  lines.SetText(setX, "SETX(9);");
  g.RunTo(4);
  EXPECT_EQ(Enemy(0).X, 9);
  const size_t reports = Reports();
  lines.SetText(setX, "SETX(NOSUCH(1)+COUNT*100);");
  g.RunTo(6);
  EXPECT_EQ(Enemy(0).X, 0);
  EXPECT_EQ(Reports(), reports + 1);  // once for its place, not once a frame
  lines.SetText(setX, "SETX(COUNT*100);");
  g.RunTo(7);
  EXPECT_EQ(Enemy(0).X, 100 * Enemy(0).Count);
}

TEST(TProcedureLink, FollowsRedefinitionAndClearing) {
  TProcedureTable table;
  const int index = table.Declare("Shot");
  TProcedureLink link;
  EXPECT_EQ(link.Find(table, "SHOT"), nullptr);  // declared, not yet defined
  table.Define(index, TLineList{{"BEGIN;", {}}}, TVarTable{});
  const TSecondStringList2* first = link.Find(table, "shot");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first, table.Find("SHOT"));
  table.Define(index, TLineList{{"END;", {}}}, TVarTable{});
  EXPECT_NE(link.Find(table, "shot"), first);
  EXPECT_EQ(link.Find(table, "shot"), table.Find("Shot"));
  table.Clear();
  EXPECT_EQ(link.Find(table, "shot"), nullptr);
  TProcedureTable moved;
  moved.Define(moved.Declare("SHOT"), TLineList{}, TVarTable{});
  table = std::move(moved);
  EXPECT_EQ(link.Find(table, "shot"), table.Find("SHOT"));
  EXPECT_EQ(link.Find(moved, "shot"), nullptr);
}

}  // namespace
}  // namespace vuzed
