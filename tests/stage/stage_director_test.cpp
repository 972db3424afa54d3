#include "stage/script_run.h"

#include <gtest/gtest.h>

#include "back/background.h"
#include "enemy/enemy_control.h"
#include "support/game_fixture.h"

namespace vuzed {
namespace {

// A stage made of the given MAIN body (and extra procedures), loaded the way
// the title starts a game.
struct StageTest : ::testing::Test {
  void Load(const std::string& declarations, const std::string& procedures, const std::string& mainBody,
            const std::string& openingBody = "") {
    std::string text = "type\nprocedure OPENING;\nprocedure MAIN;\nprocedure E;\n" + declarations + "end;\n" +
                       "procedure E;\nbegin\nend;\n" + procedures + "procedure OPENING;\nbegin\n" + openingBody +
                       "end;\nprocedure MAIN;\n" + mainBody + "\n";
    g.Dir.Write("data/Script/Stage1.txt", text);
    g.Start();
    g.Game().ChangeScene(TScene::Game);
    g.Form->GameStart(1);
  }
  TScriptRun& Run() { return *g.Game().ScriptRun; }
  size_t Enemies() { return g.Game().EnemyControl->Enemies.size(); }
  test::GameFixture g;
};

TEST_F(StageTest, AnIfOnTimeSpawnsOnceInItsFrame) {
  Load("", "", "begin\n  if time = 60 then CreateEnemy(E);\nend;");
  EXPECT_TRUE(Run().Active);
  g.RunTo(59);
  EXPECT_EQ(Enemies(), 0u);
  g.RunTo(60);
  EXPECT_EQ(Enemies(), 1u);
  EXPECT_EQ(Run().MainCount, 60);
  g.RunTo(300);
  EXPECT_EQ(Enemies(), 1u);
}

TEST_F(StageTest, PausingDelaysTheStageClock) {
  Load("", "", "begin\n  if time = 60 then CreateEnemy(E);\nend;");
  g.Keys("10 p\n110 z\n");
  g.RunTo(159);
  EXPECT_EQ(Enemies(), 0u);  // paused from pass 10 to 109: TIME 60 comes 100 passes later
  g.RunTo(160);
  EXPECT_EQ(Enemies(), 1u);
}

TEST_F(StageTest, SetMainCountRepeatsTheTimeline) {
  Load("", "", "begin\n  if time = 10 then CreateEnemy(E);\n  if time = 600 then SetMainCount(0);\nend;");
  g.RunTo(600);
  EXPECT_EQ(Run().MainCount, 0);
  g.RunTo(610);
  EXPECT_EQ(Enemies(), 2u);
}

TEST_F(StageTest, TheClockStopsAtItsLargestValueInsteadOfOverflowing) {
  Load("", "", "begin\n  if time = 2 then SetMainCount(2147483646);\nend;");
  g.RunTo(10);
  EXPECT_EQ(Run().MainCount, 2147483647);
}

TEST_F(StageTest, ShotModeIsSetOnlyInOpening) {
  Load("", "", "begin\n  SetShotMode(SLANT);\nend;", "  SetShotMode(VERTICAL);\n  SetShotMode(SIDEWAYS);\n");
  EXPECT_EQ(g.Game().LayoutMode, LayoutSideways);
  EXPECT_EQ(g.Game().FieldOriginX, 30);  // only VERTICAL sets the origin
  EXPECT_EQ(g.Game().FieldOriginY, 15);
  g.RunTo(5);
  EXPECT_EQ(g.Game().LayoutMode, LayoutSideways);
}

TEST_F(StageTest, ProceduresGetTheirArgumentsAndMainKeepsItsOwnVariables) {
  Load("procedure P(a, b: single);\n",
       "procedure P(a, b: single);\nbegin\n  if a = 5 then CreateEnemy(E);\n  if b = 7 then CreateEnemy(E);\nend;\n",
       "var\n  n : single;\nbegin\n  n := n + 1;\n  if n = 3 then P(5, 7);\n  if n = 4 then P(5, 1+1);\nend;");
  g.RunTo(2);
  EXPECT_EQ(Enemies(), 0u);
  g.RunTo(3);
  EXPECT_EQ(Enemies(), 2u);
  g.RunTo(4);
  EXPECT_EQ(Enemies(), 3u);
}

TEST_F(StageTest, RunawayScriptsEndTheirFrameAndTheGameGoesOn) {
  Load("procedure R;\n", "procedure R;\nbegin\n  R;\nend;\n",
       "begin\n  if time = 2 then R;\n  if time = 3 then CreateEnemy(E);\nend;");
  g.RunTo(3);
  EXPECT_EQ(Enemies(), 1u);  // the next frame runs normally
  EXPECT_GE(Run().Errors.Count(), 1u);
}

TEST_F(StageTest, MalformedWholeNumbersSkipTheirLineOnly) {
  Load("", "", "begin\n  SetMainCount(1A);\n  if time = 2 then CreateEnemy(E);\nend;");
  g.RunTo(2);
  EXPECT_EQ(Enemies(), 1u);
  g.RunTo(10);
  EXPECT_EQ(Run().Errors.Count(), 1u);  // reported once for its place
}

// The director decodes each line once; a line rewritten while the stage
// runs (as bosses rewrite theirs) is read anew, and a broken condition is
// reported where it stands.
TEST_F(StageTest, LinesRewrittenWhileTheStageRunsAreReadAnew) {
  std::string overlong = "0";
  while (overlong.size() <= kMaxExpressionLength) overlong += "+0";
  Load("", "", "begin\n  if time = 60 then CreateEnemy(E);\n  if time = " + overlong + " then CreateEnemy(E);\nend;");
  g.RunTo(5);
  EXPECT_EQ(Enemies(), 0u);
  EXPECT_EQ(Run().Errors.Count(), 1u);  // the overlong condition, once for its line
  TLineList& main = **Run().Script.Procedures.Find("MAIN")->Lines;
  bool rewritten = false;
  for (size_t i = 0; i < main.size(); ++i) {
    if (const size_t at = main[i].Text.find("TIME=60"); at != std::string::npos) {
      main.SetText(i, std::string(main[i].Text).replace(at, 7, "TIME=8"));
      rewritten = true;
    }
  }
  ASSERT_TRUE(rewritten);
  g.RunTo(8);
  EXPECT_EQ(Enemies(), 1u);
  g.RunTo(70);
  EXPECT_EQ(Enemies(), 1u);
  EXPECT_EQ(Run().Errors.Count(), 1u);
}

TEST_F(StageTest, EndGameDiscardsTheStage) {
  Load("", "", "begin\n  CreateEnemy(E);\nend;");
  g.RunTo(3);
  EXPECT_EQ(Enemies(), 3u);
  Run().EndGame();
  EXPECT_EQ(Enemies(), 0u);
  EXPECT_EQ(Run().Script.Procedures.Count(), 0u);
  EXPECT_EQ(g.Game().BackGround->Set, 0);
  g.RunTo(5);  // MAIN is gone: nothing runs
  EXPECT_EQ(Enemies(), 0u);
}

}  // namespace
}  // namespace vuzed
