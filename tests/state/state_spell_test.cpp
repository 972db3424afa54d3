#include <gtest/gtest.h>

#include <algorithm>

#include "engine/graphics/texture.h"
#include "state/state_fixture.h"

namespace vuzed::test {
namespace {

// A spell card set up the way a boss sets it, with the boss here.
struct StateSpell : StateGame, GaugeBoss {
  void Card(int32_t timeLeft, int32_t bonus) {
    Begin(1);
    g.RunTo(1);
    TState& s = State();
    s.Boss = this;
    s.BossActive = 1;
    s.SpellFrame = -1;
    s.SpellTimeLeft = timeLeft;
    s.SpellBonus = bonus;
    s.SpellBonusValid = 1;
  }
  // What SPELLADJUSTMENT does.
  void EndCard() {
    State().BossActive = 0;
    State().SpellResultFrame = 180;
  }
};

TEST_F(StateSpell, AnnouncementKeepsTheBossBusyRaisesTheNameAndGrowsTheGauge) {
  Card(1800, 0);
  TState& s = State();
  auto name = std::make_unique<TMXTexture>(g.Game().Dovivez1.get(), GameTextureFormats());
  name->SetSize(64, 16);
  const TMXTexture* nameTexture = name.get();
  s.SpellNameTexture = std::move(name);
  s.SpellFrame = 0;

  Step();
  EXPECT_EQ(Busy, 1);
  auto names = SpritesOf(nameTexture);
  ASSERT_EQ(names.size(), 1u);
  EXPECT_EQ(names[0].X, 300);
  EXPECT_EQ(names[0].Y, 319);
  EXPECT_EQ(Alpha(names[0]), 4u);  // round(sin 1 degree x 255)
  for (int f = 2; f <= 20; ++f) Step();
  EXPECT_TRUE(SpritesOf(Else(30)).empty());
  Step();  // frame 21
  EXPECT_EQ(Width(SpritesOf(Else(30)).back()), 2);
  for (int f = 22; f <= 90; ++f) Step();
  EXPECT_EQ(Alpha(SpritesOf(nameTexture).back()), 255u);
  EXPECT_EQ(SpritesOf(nameTexture).back().Y, 230);
  for (int f = 91; f <= 179; ++f) Step();
  EXPECT_EQ(Busy, 1);
  Step();  // frame 180: the announcement is over
  EXPECT_EQ(Busy, 0);
  EXPECT_EQ(s.SpellFrame, -1);
  EXPECT_EQ(Width(SpritesOf(Else(30)).back()), 350);
  Step();
  EXPECT_EQ(Width(SpritesOf(Else(30)).back()), 175);  // 250 of 500 hit points
}

TEST_F(StateSpell, ThirtySecondsEndOnThe1802ndStep) {
  Card(30 * 60, 0);
  for (int i = 1; i <= 1801; ++i) Step();
  EXPECT_EQ(State().BossActive, 1);
  EXPECT_EQ(State().SpellTimeLeft, -1);
  Step();
  EXPECT_EQ(State().BossActive, 0);
  EXPECT_EQ(State().SpellResultFrame, 179);  // the result display began in the same step
  EXPECT_EQ(Busy, 1);
}

// Steps through the result display; returns the score paid.
int32_t RunResult(StateSpell& t, int resultPicture) {
  t.EndCard();
  t.Step();
  const int32_t before = t.State().Score;
  t.Step();  // result frame 179 pays
  const int32_t paid = t.State().Score - before;
  for (int i = 3; i <= 31; ++i) t.Step();
  EXPECT_TRUE(t.SpritesOf(t.Else(resultPicture)).empty()) << "shown before frame 149";
  t.Step();
  const auto shown = t.SpritesOf(t.Else(resultPicture));
  EXPECT_EQ(shown.size(), 1u);
  if (!shown.empty()) {
    EXPECT_EQ(shown[0].X, 100);
    EXPECT_EQ(shown[0].Y, 100);
  }
  EXPECT_EQ(t.SpritesOf(t.Else(46 + 47 - resultPicture)).size(), 0u);
  EXPECT_EQ(t.SpritesOf(t.Else(45)).size(), 1u);
  // The bonus at scale 1: its units digit at (400, 200), full size.
  const auto units = t.SpritesOf(t.Else(paid % 10));
  EXPECT_TRUE(std::any_of(units.begin(), units.end(), [](const TSpriteRecord& d) {
    return d.X == 400 && d.Y == 200 && StateGame::Width(d) == 10;
  }));
  for (int i = 33; i < 180; ++i) t.Step();
  EXPECT_EQ(t.Busy, 1);
  t.Step();
  EXPECT_EQ(t.Busy, 0);
  EXPECT_EQ(t.State().SpellBonus, 0);
  EXPECT_EQ(t.State().SpellResultFrame, 0);
  return paid;
}

TEST_F(StateSpell, ABombHalvesTheBonusAndTheCardIsStillCaptured) {
  Card(6000, 1001);
  Ship().Bombs = 3;
  g.Keys("2 x");
  g.RunTo(2);  // the bomb halves 1001 to 500 (half to even), then the step takes 7
  EXPECT_EQ(Ship().Bombs, 2);
  EXPECT_EQ(State().SpellBonus, 493);
  EXPECT_EQ(RunResult(*this, 46), 493);
}

TEST_F(StateSpell, AHitHalvesTheBonusAndShowsTheCardAsLost) {
  Card(6000, 1000);
  Ship().Hp = 4;
  Ship().InvulnerableTimer = 0;
  Ship().Hit(1);
  EXPECT_EQ(State().SpellBonus, 500);
  EXPECT_EQ(RunResult(*this, 47), 500);
}

TEST_F(StateSpell, WithoutABossNoGaugeIsDrawnAndNothingWaits) {
  Card(6000, 100);
  TState& s = State();
  s.Boss = nullptr;
  Step();
  s.SpellFrame = 30;
  Step();
  EXPECT_TRUE(SpritesOf(Else(30)).empty());
  EXPECT_EQ(s.SpellFrame, 31);
  EndCard();
  Step();
  EXPECT_EQ(s.SpellResultFrame, 180);  // the result waits for a boss
  EXPECT_EQ(s.Score, 0);

  // A boss whose maximum is not set yet shows no gauge either.
  MaxHp = 0;
  s.Boss = this;
  s.BossActive = 1;
  s.SpellFrame = -1;
  Step();
  EXPECT_TRUE(SpritesOf(Else(30)).empty());

  // A new stage forgets the boss.
  g.Form->GameStart(1);
  EXPECT_EQ(s.Boss, nullptr);
}

TEST_F(StateSpell, ACardAdjustedAfter600StepsPays5800) {
  const std::string boss =
      "procedure BOSS;\nbegin\n"
      "  if opening then\n  begin\n    X := 200;\n    Y := 100;\n    HP := 500;\n  end;\n"
      "  if count = 3 then\n  begin\n    SetSpellName('Card');\n    SetSpellMaxScore(10000);\n"
      "    SetSpellTime(60);\n  end;\n"
      "  if count = 603 then SpellAdjustment;\n"
      "end;\n";
  Begin(1, StageText("  if time = 1 then CreateBoss(BOSS);", "  procedure BOSS;\n", boss));
  g.RunTo(900);
  EXPECT_EQ(State().Score, 5800);
  EXPECT_EQ(State().SpellBonus, 0);
  EXPECT_EQ(State().BossActive, 0);
}

}  // namespace
}  // namespace vuzed::test
