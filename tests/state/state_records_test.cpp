#include <gtest/gtest.h>

#include <algorithm>

#include "state/state_fixture.h"

namespace vuzed::test {
namespace {

using StateRecords = StateGame;
using Table = std::array<int32_t, 4>;

TEST_F(StateRecords, ScoresGoInBeforeTheFirstEntryTheyBeat) {
  Begin(1);
  TState& s = State();
  auto table = [&s](int base) { return Table{s.ScoreTable[base], s.ScoreTable[base + 1], s.ScoreTable[base + 2],
                                              s.ScoreTable[base + 3]}; };
  s.StageType = 2;  // Score1_2_1..4 at 4..7
  for (int32_t score : {300, 500, 100, 300}) {
    s.Score = score;
    s.RecordScore();
    EXPECT_EQ(s.Score, 0);
  }
  EXPECT_EQ(table(4), (Table{500, 300, 300, 100}));
  s.Score = 100;  // equal to the fourth: not recorded
  s.RecordScore();
  EXPECT_EQ(table(4), (Table{500, 300, 300, 100}));
  s.Score = 101;
  s.RecordScore();
  EXPECT_EQ(table(4), (Table{500, 300, 300, 101}));

  s.StageType = 0;  // shares stage 1's table
  s.Score = 9;
  s.RecordScore();
  s.StageType = 5;  // Score3_1_1 at 32
  s.Score = 8;
  s.RecordScore();
  s.StageType = 10;  // no table
  s.Score = 7;
  s.RecordScore();
  EXPECT_EQ(s.Score, 0);
  EXPECT_EQ(s.ScoreTable[0], 9);
  EXPECT_EQ(s.ScoreTable[32], 8);
  EXPECT_EQ(std::count(s.ScoreTable.begin(), s.ScoreTable.end(), 0), 36 - 6);
}

TEST_F(StateRecords, TheHudTargetIsTheSecondEntryOfTheStagesTable) {
  Begin(1);
  TState& s = State();
  for (int i = 0; i < 36; ++i) s.ScoreTable[size_t(i)] = 1000 + i;
  const std::pair<int32_t, int32_t> expected[] = {{0, 1001}, {1, 1001}, {2, 1005}, {3, 1009},
                                                  {4, 1013}, {5, 1033}, {10, 0},   {-1, 0}};
  for (auto [type, hiScore] : expected) {
    s.StartStage(type);
    EXPECT_EQ(s.HiScore, hiScore) << "type " << type;
  }
}

TEST_F(StateRecords, TheScoreStopsAtTheTopOfItsRange) {
  Begin(1);
  State().Score = INT32_MAX - 5;
  State().AddScore(10);
  EXPECT_EQ(State().Score, INT32_MAX);
}

}  // namespace
}  // namespace vuzed::test
