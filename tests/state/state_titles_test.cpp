#include <gtest/gtest.h>

#include "state/state_fixture.h"

namespace vuzed::test {
namespace {

using StateTitles = StateGame;

TEST_F(StateTitles, StageTitleSwingsInAndOutOverThreeSeconds) {
  Begin(1);
  g.RunTo(1);
  State().StartStageTitle(1, 60);
  State().StartStageTitle(2, 61);
  Step();
  ASSERT_EQ(SpritesOf(Else(60)).size(), 1u);
  EXPECT_EQ(SpritesOf(Else(60))[0].X, 130);  // round(200 - cos 1 x 40) - 30
  EXPECT_EQ(SpritesOf(Else(61))[0].X, 160);
  for (int t = 2; t <= 90; ++t) Step();
  const TSpriteRecord first = SpritesOf(Else(60)).at(0), second = SpritesOf(Else(61)).at(0);
  EXPECT_EQ(first.X, 170);
  EXPECT_EQ(first.Y, 150);
  EXPECT_EQ(Alpha(first), 153u);
  EXPECT_EQ(second.X, 200);
  EXPECT_EQ(second.Y, 250);
  EXPECT_EQ(Alpha(second), 255u);
  for (int t = 91; t <= 180; ++t) Step();
  EXPECT_EQ(SpritesOf(Else(61)).at(0).X, 240);
  EXPECT_EQ(State().StageTitleFrame, -1);
  Step();
  EXPECT_TRUE(SpritesOf(Else(61)).empty());
}

TEST_F(StateTitles, CutInSlidesRightWhileTheCosineRoundsAwayFromZero) {
  Begin(1);
  g.RunTo(1);
  TState& s = State();
  s.CutInPicture = 60;
  s.CutInFrame = 0;
  s.CutInX = 440;
  for (int f = 1; f <= 60; ++f) Step();
  EXPECT_EQ(s.CutInX, 500);
  const TSpriteRecord cutIn = SpritesOf(Else(60)).at(0);
  EXPECT_EQ(cutIn.X, 500);
  EXPECT_EQ(cutIn.Y, 300);
  EXPECT_EQ(Alpha(cutIn), 221u);  // round(sin 60 x 255)
  for (int f = 61; f <= 119; ++f) Step();
  EXPECT_EQ(s.CutInX, 500);
  for (int f = 120; f <= 180; ++f) Step();
  EXPECT_EQ(s.CutInFrame, -1);
  EXPECT_EQ(s.CutInX, 440);
}

}  // namespace
}  // namespace vuzed::test
