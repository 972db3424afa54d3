#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "state/state_fixture.h"

namespace vuzed::test {
namespace {

using Digits = std::vector<std::pair<float, int>>;  // (left edge, digit), left to right

struct StateHud : StateGame {
  // The digit sprites queued at height y, left to right.
  Digits NumberAt(float y) {
    Digits found;
    for (int d = 0; d <= 9; ++d)
      for (const TSpriteRecord& s : SpritesOf(Else(d)))
        if (s.Y == y) found.push_back({s.X, d});
    std::sort(found.begin(), found.end());
    return found;
  }
  std::vector<std::pair<float, float>> PlacesOf(int picture) {
    std::vector<std::pair<float, float>> places;
    for (const TSpriteRecord& s : SpritesOf(Else(picture))) places.push_back({s.X, s.Y});
    return places;
  }
};

TEST_F(StateHud, RowsNumbersAndIconsSitAtTheirPlaces) {
  Begin(1);
  g.RunTo(1);
  State().HiScore = 7;
  State().Score = 305;
  Ship().Lives = 3;
  Ship().Bombs = 2;
  Ship().Hp = 3;
  Ship().Graze = 42;
  Step();

  using P = std::vector<std::pair<float, float>>;
  EXPECT_EQ(PlacesOf(25), (P{{0, 0}}));
  EXPECT_EQ(PlacesOf(43), (P{{430, 40}}));
  EXPECT_EQ(PlacesOf(42), (P{{430, 60}}));
  EXPECT_EQ(PlacesOf(44), (P{{430, 90}}));
  EXPECT_EQ(PlacesOf(40), (P{{430, 120}}));
  EXPECT_EQ(PlacesOf(41), (P{{430, 140}}));
  EXPECT_EQ(PlacesOf(39), (P{{430, 170}}));
  // Numbers end at x = 600: a digit every 12 pixels at scale 0.6.
  EXPECT_EQ(NumberAt(40), (Digits{{600, 7}}));
  EXPECT_EQ(NumberAt(60), (Digits{{576, 3}, {588, 0}, {600, 5}}));
  EXPECT_EQ(NumberAt(90), (Digits{{600, 2}}));  // the second status step
  EXPECT_EQ(NumberAt(170), (Digits{{588, 4}, {600, 2}}));
  EXPECT_EQ(PlacesOf(31), (P{{500, 120}, {520, 120}}));  // lives minus the one in play
  EXPECT_EQ(PlacesOf(32), (P{{500, 140}, {520, 140}}));
  EXPECT_EQ(PlacesOf(29), (P{{440, 200}, {490, 200}, {540, 200}}));

  const TSpriteRecord bar = SpritesOf(Else(29)).front();
  EXPECT_EQ(Width(bar), 16);
  EXPECT_EQ(Height(bar), 5);
  const TSpriteRecord digit = SpritesOf(Else(3)).front();
  EXPECT_FLOAT_EQ(Width(digit), 6);
  EXPECT_FLOAT_EQ(Height(digit), 7.2f);
  EXPECT_EQ(digit.BlendMode, 2);
  // Digits are shaded: the bottom edge is darker.
  EXPECT_EQ(digit.Vertices[0].Color, 0xFFFFFFFFu);
  EXPECT_EQ(digit.Vertices[1].Color, 0xFFFFFFFFu);
  EXPECT_EQ(digit.Vertices[2].Color, 0xFFBBBBBBu);
  EXPECT_EQ(digit.Vertices[3].Color, 0xFFBBBBBBu);
}

TEST_F(StateHud, IconRowsStopAtTheScreenEdgeAndTheFrameRateSitsBottomRight) {
  Begin(1);
  g.RunTo(1);
  Ship().Hp = INT32_MAX;
  Ship().Lives = INT32_MAX;
  Step();
  EXPECT_EQ(SpritesOf(Else(29)).size(), 4u);  // 440, 490, 540, 590
  EXPECT_EQ(SpritesOf(Else(31)).size(), 7u);  // 500 .. 620
  State().ShowFps(6000);
  EXPECT_EQ(NumberAt(450), (Digits{{564, 6}, {576, 0}, {588, 0}, {600, 0}}));
}

TEST_F(StateHud, TopFadeRisesNearTheTopAndTheBossNumbersFadeWithIt) {
  Begin(1);
  g.RunTo(1);
  GaugeBoss boss;
  boss.Hp = 400;
  TState& s = State();
  s.Boss = &boss;
  s.BossActive = 1;
  s.SpellFrame = -1;
  s.SpellTimeLeft = 6000;
  s.SpellBonus = 100000;

  Ship().Y = 49;
  Step();
  EXPECT_EQ(s.TopFade, 1);
  EXPECT_EQ(Alpha(SpritesOf(Else(30)).back()), 250u);
  for (int i = 0; i < 40; ++i) Step();
  EXPECT_EQ(s.TopFade, 25);
  const TSpriteRecord gauge = SpritesOf(Else(30)).back();
  EXPECT_EQ(Alpha(gauge), 130u);
  EXPECT_EQ(gauge.X, 50);
  EXPECT_EQ(gauge.Y, 20);
  EXPECT_EQ(Width(gauge), 280);  // 400 / 500 of 350 pixels
  EXPECT_EQ(Height(gauge), 2);
  const Digits timer = NumberAt(15);
  ASSERT_FALSE(timer.empty());
  EXPECT_EQ(timer.back().first, 50);
  for (const TSpriteRecord& digit : SpritesOf(Else(9))) EXPECT_EQ(Alpha(digit), 105u);

  Ship().Y = 50;  // leaving the area: opaque again at once, the fade winds down
  Step();
  EXPECT_EQ(s.TopFade, 24);
  EXPECT_EQ(Alpha(SpritesOf(Else(30)).back()), 255u);
  for (int i = 0; i < 30; ++i) Step();
  EXPECT_EQ(s.TopFade, 0);
}

TEST_F(StateHud, PausePanelOnlyWhilePausedAndNoHudInOtherLayouts) {
  Begin(1);
  g.RunTo(1);
  Step();
  EXPECT_TRUE(SpritesOf(Else(16)).empty());
  g.Game().ScriptRun->ScriptMode = TScriptMode::Paused;
  Step();
  const auto panel = SpritesOf(Else(16));
  ASSERT_EQ(panel.size(), 1u);
  EXPECT_EQ(panel[0].X, 30);
  EXPECT_EQ(panel[0].Y, 15);
  EXPECT_EQ(panel[0].Vertices[0].Color, 0x88FFFFFFu);

  g.RunTo(2);
  const int32_t frames = State().PlayFrames;
  g.Game().LayoutMode = LayoutSideways;
  Step();
  EXPECT_EQ(Queue().SpriteCount(), 0u);
  EXPECT_EQ(State().PlayFrames, frames + 1);
}

}  // namespace
}  // namespace vuzed::test
