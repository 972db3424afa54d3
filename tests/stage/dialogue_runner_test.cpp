// Advancing dialogue scenes: end to end through `vuzed-tool run` on the
// stages of tests/data/dialogue (stage 1: a novel scene at TIME 10 with two
// texts and GAMEMODE; stage 2: an ADV page at TIME 5 ending in
// GAMETERMINATE; stage 3: an ADV page that returns to play, then one that
// ends the game), and through a game fixture where the text must be seen.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "stage/dialogue_fixture.h"
#include "support/test_dir.h"
#include "support/tool_runner.h"

namespace vuzed {
namespace {

// One summary line per pass (index 0 is pass 1).
std::vector<std::string> RunDialogueStage(int stage, const std::string& keys, int frames) {
  test::TempDir root;
  std::filesystem::copy(std::filesystem::path(VUZED_TEST_DATA) / "dialogue", root.Path(),
                        std::filesystem::copy_options::recursive);
  std::filesystem::path input = root.Write("keys.txt", keys);
  auto r = test::RunTool({"run", "--root", root.Path().string(), "--stage", std::to_string(stage), "--frames",
                          std::to_string(frames), "--trace", "1", "--input", input.string()});
  EXPECT_EQ(r.Status, 0) << r.Err;
  auto lines = r.OutLines();
  EXPECT_EQ(lines.size(), size_t(frames)) << r.Out;
  return lines;
}

bool Has(const std::vector<std::string>& lines, int pass, const std::string& part) {
  return size_t(pass) <= lines.size() && lines[size_t(pass - 1)].find(part) != std::string::npos;
}

TEST(DialogueRunEndToEnd, TheShotKeyAdvancesAfterTwentyFramesAndGameModeResumesTheStageClock) {
  auto lines = RunDialogueStage(1, "1-100 z\n", 56);
  ASSERT_EQ(lines.size(), 56u);
  EXPECT_TRUE(Has(lines, 9, "\"mode\":0,\"time\":9,"));
  // Opened at TIME 10; the clock stands while the scene lasts. First text at
  // pass 11, the second after 20 frames of waiting at 32, GAMEMODE at 53.
  EXPECT_TRUE(Has(lines, 10, "\"mode\":2,\"time\":10,"));
  EXPECT_TRUE(Has(lines, 52, "\"mode\":2,\"time\":10,")) << lines[51];
  EXPECT_TRUE(Has(lines, 53, "\"mode\":0,\"time\":10,")) << lines[52];
  EXPECT_TRUE(Has(lines, 54, "\"mode\":0,\"time\":11,")) << lines[53];
}

TEST(DialogueRunEndToEnd, CtrlAdvancesAfterThreeFramesWithoutTheShotKey) {
  auto lines = RunDialogueStage(1, "1-100 ctrl\n", 20);
  ASSERT_EQ(lines.size(), 20u);
  // Texts at passes 11 and 15, GAMEMODE at 19.
  EXPECT_TRUE(Has(lines, 18, "\"mode\":2,")) << lines[17];
  EXPECT_TRUE(Has(lines, 19, "\"mode\":0,")) << lines[18];
  EXPECT_TRUE(Has(lines, 20, "\"time\":11,")) << lines[19];
}

TEST(DialogueRunEndToEnd, EscDuringADialogueAbandonsTheGameInsteadOfPausing) {
  auto lines = RunDialogueStage(1, "20 esc\n", 21);
  ASSERT_EQ(lines.size(), 21u);
  EXPECT_TRUE(Has(lines, 19, "\"scene\":\"game\",\"mode\":2,"));
  EXPECT_TRUE(Has(lines, 20, "\"scene\":\"title\",")) << lines[19];
}

TEST(DialogueRunEndToEnd, GameTerminateEndsAnAdvSceneAtTheTitle) {
  auto lines = RunDialogueStage(2, "1-100 z\n", 28);
  ASSERT_EQ(lines.size(), 28u);
  // ADVMODE at TIME 5, the page at pass 6, GAMETERMINATE 21 passes later.
  EXPECT_TRUE(Has(lines, 26, "\"scene\":\"game\",\"mode\":3,")) << lines[25];
  EXPECT_TRUE(Has(lines, 27, "\"scene\":\"title\",")) << lines[26];
}

TEST(DialogueRunEndToEnd, GameModeLeadsAnAdvSceneBackIntoPlay) {
  auto lines = RunDialogueStage(3, "1-100 z\n", 52);
  ASSERT_EQ(lines.size(), 52u);
  // The page at pass 6, GAMEMODE 21 passes later; the clock goes on from 5
  // to the second scene at TIME 8, which ends at the title.
  EXPECT_TRUE(Has(lines, 26, "\"scene\":\"game\",\"mode\":3,\"time\":5,")) << lines[25];
  EXPECT_TRUE(Has(lines, 27, "\"scene\":\"game\",\"mode\":0,\"time\":5,")) << lines[26];
  EXPECT_TRUE(Has(lines, 30, "\"scene\":\"game\",\"mode\":3,\"time\":8,")) << lines[29];
  EXPECT_TRUE(Has(lines, 51, "\"scene\":\"game\",\"mode\":3,")) << lines[50];
  EXPECT_TRUE(Has(lines, 52, "\"scene\":\"title\",")) << lines[51];
}

using DialogueRun = test::DialogueStage;

TEST(DialogueRunFixture, TheFirstTextNeedsNoKeyTheNextNeedsTheKeyAndTwentyFrames) {
  DialogueRun d;
  d.Load("NovelMode", "  @First;\n  @Second;\n  GameMode;\n", 5);
  d.g.Keys("41-200 z\n");
  d.g.RunTo(5);
  EXPECT_EQ(d.Run().ScriptMode, TScriptMode::Novel);
  EXPECT_EQ(d.State().Dialogue.TextLines[0], nullptr);  // the display opens first
  d.g.RunTo(6);
  EXPECT_TRUE(d.Shows(d.State().Dialogue.TextLines[0].get(), "FIRST"));
  d.g.RunTo(40);
  EXPECT_TRUE(d.Shows(d.State().Dialogue.TextLines[0].get(), "FIRST"));  // no key, no advance
  d.g.RunTo(41);
  EXPECT_TRUE(d.Shows(d.State().Dialogue.TextLines[0].get(), "SECOND"));
  d.g.RunTo(61);
  EXPECT_EQ(d.Run().ScriptMode, TScriptMode::Novel);
  d.g.RunTo(62);
  EXPECT_EQ(d.Run().ScriptMode, TScriptMode::Running);
  EXPECT_EQ(d.State().DialogueFrame, -1);
}

TEST(DialogueRunFixture, WithoutGameModeTheSceneStaysOpenAndItsTrailingCommandsRunAtEveryAdvance) {
  DialogueRun d;
  d.Load("NovelMode", "  @Hi;\n  SetTextColor(255);\n", 5);
  d.g.Keys("1-200 z\n");
  d.g.RunTo(26);
  EXPECT_EQ(d.State().Dialogue.TextColor, 0xFFFFFFFFu);
  d.g.RunTo(27);  // 20 frames after the text
  EXPECT_EQ(d.State().Dialogue.TextColor, 255u);
  d.State().Dialogue.TextColor = 7;
  d.g.RunTo(28);
  EXPECT_EQ(d.State().Dialogue.TextColor, 255u);
  EXPECT_TRUE(d.Shows(d.State().Dialogue.TextLines[0].get(), "HI"));
  d.g.RunTo(100);
  EXPECT_EQ(d.Run().ScriptMode, TScriptMode::Novel);
  EXPECT_EQ(d.Run().MainCount, 5);
}

TEST(DialogueRunFixture, ASceneOnASlantStageIsShownAndAdvancesAsOnAVerticalOne) {
  DialogueRun d;
  d.Load("NovelMode", "  @First;\n  GameMode;\n", 5, "SLANT");
  d.g.Keys("1-200 z\n");
  d.g.RunTo(6);
  EXPECT_TRUE(d.Shows(d.State().Dialogue.TextLines[0].get(), "FIRST"));
  d.g.RunTo(40);
  EXPECT_EQ(d.Run().ScriptMode, TScriptMode::Running);
  EXPECT_GT(d.Run().MainCount, 5);
}

}  // namespace
}  // namespace vuzed
