#include <gtest/gtest.h>

#include "state/state_fixture.h"

namespace vuzed::test {
namespace {

using StateTitles = StateGame;

TEST_F(StateTitles, StageTitleAndCutInSwingAlongTheirSinesForThreeSeconds) {
  Begin(1);
  g.RunTo(1);
  TState& s = State();
  s.StartStageTitle(1, 60);
  s.StartStageTitle(2, 61);
  s.Dialogue.CutInPicture = 52;
  s.Dialogue.CutInFrame = 0;
  s.Dialogue.CutInX = 440;
  for (int t = 1; t <= 60; ++t) Step();
  EXPECT_EQ(s.Dialogue.CutInX, 500);  // one pixel a frame while cos rounds to 1
  EXPECT_EQ(Alpha(SpritesOf(Else(52)).at(0)), 221u);  // round(sin 60 x 255)
  for (int t = 61; t <= 90; ++t) Step();
  const TSpriteRecord first = SpritesOf(Else(60)).at(0), second = SpritesOf(Else(61)).at(0);
  EXPECT_EQ(first.X, 170);  // round(200 - cos 90 x 40) - 30
  EXPECT_EQ(first.Y, 150);
  EXPECT_EQ(Alpha(first), 153u);
  EXPECT_EQ(second.X, 200);
  EXPECT_EQ(second.Y, 250);
  EXPECT_EQ(Alpha(second), 255u);
  EXPECT_EQ(SpritesOf(Else(52)).at(0).Y, 300);
  EXPECT_EQ(s.Dialogue.CutInX, 500);  // standing still in the middle
  for (int t = 91; t <= 180; ++t) Step();
  EXPECT_EQ(SpritesOf(Else(61)).at(0).X, 240);
  EXPECT_EQ(s.StageTitleFrame, -1);
  EXPECT_EQ(s.Dialogue.CutInFrame, -1);
  EXPECT_EQ(s.Dialogue.CutInX, 440);
  Step();
  EXPECT_TRUE(SpritesOf(Else(61)).empty());
  EXPECT_TRUE(SpritesOf(Else(52)).empty());
}

}  // namespace
}  // namespace vuzed::test
