#include <gtest/gtest.h>

#include "state/ini_file.h"
#include "state/state_fixture.h"
#include "support/tool_runner.h"
#include "title/title.h"

namespace vuzed::test {
namespace {

using StateStageClear = StateGame;

// STAGEADJUSTMENT on pass 10: 300 steps of countdown (passes 10..309), the
// bonus on pass 310, the results from pass 311.
const std::string kClearAt10 = StageText("  if time = 10 then StageAdjustment;");

TEST_F(StateStageClear, CountdownBonusResultsAndTheNextStage) {
  g.Dir.Write("data/Script/Stage2.txt", StageText(""));
  Begin(1, kClearAt10);
  State().ScoreTable[0] = 2000000;
  State().ScoreTable[1] = 77;
  State().ScoreTable[5] = 55;
  Ship().Graze = 7;
  g.RunTo(309);
  EXPECT_EQ(State().StageClearCount, 0);
  EXPECT_EQ(State().Score, 0);
  g.RunTo(310);
  EXPECT_EQ(State().ClearBonus, 1000000 + 310 + 7);
  EXPECT_EQ(State().Score, 1000317);
  EXPECT_EQ(State().ClearFrames, 310);
  EXPECT_EQ(State().StageClearCount, -1);

  g.RunTo(311);
  Step();
  const auto panel = SpritesOf(Else(17));
  ASSERT_EQ(panel.size(), 1u);
  EXPECT_EQ(panel[0].X, 30);
  EXPECT_EQ(panel[0].Y, 15);
  EXPECT_EQ(panel[0].Vertices[0].Color, 0x88FFFFFFu);
  for (int label : {49, 50, 52, 53}) EXPECT_EQ(SpritesOf(Else(label)).size(), 1u) << label;
  EXPECT_EQ(SpritesOf(Else(53))[0].Y, 220);
  EXPECT_EQ(State().StageClear, 1);

  g.Keys("313 z");
  g.RunTo(313);
  EXPECT_EQ(State().StageType, 2);
  EXPECT_EQ(State().StageClear, 0);
  EXPECT_EQ(State().Score, 0);  // each stage counts from 0
  EXPECT_EQ(State().ScoreTable[1], 1000317);
  EXPECT_EQ(State().ScoreTable[2], 77);
  EXPECT_EQ(State().HiScore, 55);
  EXPECT_EQ(g.Game().Scene, TScene::Game);
  EXPECT_EQ(g.Game().ScriptRun->MainCount, 0);  // stage 2 loaded, its clock starts next pass
}

TEST_F(StateStageClear, TheLastMainStageOpensTheExtraStageAndAHeldKeyClosesAtOnce) {
  Begin(4, kClearAt10);
  g.Keys("1-400 z");
  g.RunTo(310);
  EXPECT_EQ(State().StageClear, 1);
  g.RunTo(311);
  EXPECT_EQ(g.Game().Scene, TScene::Title);
  EXPECT_EQ(g.Game().KeyWait, 30);
  EXPECT_TRUE(State().WhetherExtraOpen);
  EXPECT_EQ(State().ScoreTable[12], 1000310);

  g.Form.reset();  // the program ends: the records are saved
  auto ini = TIniFile::Load(g.Dir.Path() / "data/information.ini");
  ASSERT_TRUE(ini);
  EXPECT_EQ(ini->Value("Score", "Score1_4_1"), "1000310");
  EXPECT_EQ(ini->Value("Score", "WhetherExtraOpen"), "1");
}

TEST_F(StateStageClear, GameOverPanelUntilTheShotKeyThenTheTitle) {
  Begin(1);
  g.RunTo(1);
  State().GameOver = 1;
  State().Score = 1234;
  Step();
  const auto panel = SpritesOf(Else(18));
  ASSERT_EQ(panel.size(), 1u);
  EXPECT_EQ(panel[0].X, 30);
  EXPECT_EQ(panel[0].Vertices[0].Color, 0x88FFFFFFu);
  g.RunTo(5);
  EXPECT_EQ(g.Game().Scene, TScene::Game);

  // The shot key down in this frame's input: the panel closes.
  g.Keys("6 z");
  State().GameOver = 0;
  g.RunTo(6);
  State().GameOver = 1;
  Step();
  EXPECT_EQ(g.Game().Scene, TScene::Title);
  EXPECT_EQ(g.Game().Title->InputDelay, 30);
  EXPECT_EQ(State().GameOver, 0);
  EXPECT_EQ(State().Score, 0);
  EXPECT_EQ(State().ScoreTable[0], 1234);
}

TEST(StateStageClearRun, AScoreRecordedOnStage3IsSavedUnderItsTable) {
  TempDir root;
  root.Write("data/information.ini",
             "[Score]\nScore1_3_1=2000000\nScore1_3_2=900000\nScore1_3_3=5\nScore1_3_4=4\n");
  root.Write("data/Script/Stage3.txt", StageText("  if time = 2 then StageAdjustment;"));
  root.Write("keys.txt", "303 z\n");
  auto r = RunTool({"run", "--root", root.Path().string(), "--stage", "3", "--frames", "304", "--input",
                    (root.Path() / "keys.txt").string()});
  ASSERT_EQ(r.Status, 0) << r.Err;
  auto ini = TIniFile::Load(root.Path() / "data/information.ini");
  ASSERT_TRUE(ini);
  // Bonus on pass 302: 1000000 + 302 frames, second place; the 4 falls off.
  EXPECT_EQ(ini->Value("Score", "Score1_3_1"), "2000000");
  EXPECT_EQ(ini->Value("Score", "Score1_3_2"), "1000302");
  EXPECT_EQ(ini->Value("Score", "Score1_3_3"), "900000");
  EXPECT_EQ(ini->Value("Score", "Score1_3_4"), "5");
  EXPECT_EQ(ini->Value("Score", "Score1_4_1"), "0");
}

}  // namespace
}  // namespace vuzed::test
