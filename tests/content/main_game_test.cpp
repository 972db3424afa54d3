// The main game played end to end through `vuzed-tool run`: the ship stays
// where it starts with the shot key held and ignores hits. Stage 1's scripts
// must run without a single report, reach the talk before the boss, show
// the boss, see all three spell cards through to their bonus, and clear
// the stage within the run; stages 1 to 4 played in a row end at the title
// with every stage's score recorded and the extra stage opened.
//
// The run uses the game's own scripts from data/Script and the pictures
// and sounds the build generated, on a copy (a run saves the records file
// in its root). The stage clear is seen in the saved records: the results
// are dismissed at once by the held shot key, which records the score.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/test_dir.h"
#include "support/tool_runner.h"

namespace vuzed {
namespace {

namespace fs = std::filesystem;

const fs::path kSourceData = fs::path(VUZED_TEST_DATA).parent_path().parent_path() / "data";
const fs::path kBuildData = fs::path(VUZED_TOOL).parent_path() / "data";

// The value of a whole-number field of a JSON line ("score":123), or -1.
long long Field(const std::string& line, const std::string& name) {
  const std::string key = "\"" + name + "\":";
  const size_t at = line.find(key);
  if (at == std::string::npos) return -1;
  return std::atoll(line.c_str() + at + key.size());
}

// The value of a key of the saved records ("Score1_1_1"), or -1.
long long Saved(const fs::path& ini, const std::string& key) {
  std::ifstream in(ini);
  std::string line;
  while (std::getline(in, line))
    if (line.rfind(key + "=", 0) == 0) return std::atoll(line.c_str() + key.size() + 1);
  return -1;
}

class MainGameRun : public ::testing::Test {
 protected:
  void SetUp() override {
    const fs::path data = Root.Path() / "data";
    fs::create_directories(data);
    fs::copy(kSourceData / "Script", data / "Script", fs::copy_options::recursive);
    fs::copy_file(kSourceData / "information.ini", data / "information.ini");
    for (const char* folder : {"Graphic", "Music"}) fs::create_directory_symlink(kBuildData / folder, data / folder);
    Keys = Root.Write("keys.txt", "1-99999 z\n").string();
  }

  test::ToolResult Run(int frames, const std::vector<std::string>& extra, int stage = 1) const {
    std::vector<std::string> args{"run",      "--root", Root.Path().string(), "--stage", std::to_string(stage),
                                  "--invincible", "--frames", std::to_string(frames), "--input", Keys};
    args.insert(args.end(), extra.begin(), extra.end());
    return test::RunTool(args);
  }

  test::TempDir Root;
  std::string Keys;
};

TEST_F(MainGameRun, ReachesTheBossAllSpellCardsAndTheStageClear) {
  const auto r = Run(15000, {"--trace", "30", "--dump"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Err, "");  // no script reports

  const std::vector<std::string> lines = r.OutLines();
  ASSERT_FALSE(lines.empty());
  // The score only grows during the stage; it drops to 0 when the cleared
  // stage's score is recorded. Summaries after that belong to what follows.
  long long talkFrame = -1, lastScoreBeforeClear = 0;
  int bonuses = 0;
  for (const std::string& line : lines) {
    if (line.rfind("{\"frame\":", 0) != 0) continue;  // dump lines
    const long long score = Field(line, "score");
    if (score < lastScoreBeforeClear) break;
    if (talkFrame < 0 && Field(line, "mode") == 2) talkFrame = Field(line, "frame");
    // A spell card's bonus is paid in one step of several hundred
    // thousand; shots and items add a few points at a time.
    if (score - lastScoreBeforeClear > 100000) ++bonuses;
    lastScoreBeforeClear = score;
  }
  ASSERT_GT(talkFrame, 0) << "the talk before the boss never started";
  EXPECT_EQ(bonuses, 3) << "each spell card pays its bonus once";

  // The stage clear adds at least 1,000,000 and is recorded.
  const long long best = Saved(Root.Path() / "data" / "information.ini", "Score1_1_1");
  EXPECT_GE(best, lastScoreBeforeClear + 1000000);

  // The boss is gone at the end.
  EXPECT_EQ(r.Out.find("\"class\":\"TBoss\""), std::string::npos);

  // And it was there when the talk began.
  const auto atTalk = Run(int(talkFrame), {"--dump"});
  ASSERT_EQ(atTalk.Status, 0) << atTalk.Err;
  EXPECT_NE(atTalk.Out.find("\"class\":\"TBoss\""), std::string::npos) << atTalk.Out;
}

// The autoplay bot through the first waves: what a ship standing still takes
// by the hundred, the bot takes a handful of, the same way in every run.
TEST_F(MainGameRun, TheAutoplayBotSteersClearOfWhatAShipStandingStillTakes) {
  const auto still = Run(3000, {});
  const auto bot = Run(3000, {"--autoplay"});
  ASSERT_EQ(still.Status, 0) << still.Err;
  ASSERT_EQ(bot.Status, 0) << bot.Err;
  const long long stillHits = Field(still.OutLines().back(), "hits");
  const long long botHits = Field(bot.OutLines().back(), "hits");
  EXPECT_GT(stillHits, 100);
  EXPECT_LT(botHits * 20, stillHits) << bot.Out;
  EXPECT_NE(Field(bot.OutLines().back(), "px"), 200);  // it moved
  EXPECT_EQ(Run(3000, {"--autoplay"}).Out, bot.Out);
}

// Stages 1 to 4 in a row, as a player who never dies plays them: each
// clears, each score is recorded, and the last one returns to the title
// with the extra stage opened, without a single script report on the way.
TEST_F(MainGameRun, TheMainGamePlaysStagesOneToFourAndReturnsToTheTitle) {
  const auto r = Run(64000, {"--trace", "20"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Err, "");
  // The held shot key starts a new game soon after the title shows, so
  // the title is looked for among the passes, not at the end.
  bool title = false;
  for (const std::string& line : r.OutLines()) title = title || line.find("\"scene\":\"title\"") != std::string::npos;
  EXPECT_TRUE(title) << "the game never returned to the title";
  const fs::path ini = Root.Path() / "data" / "information.ini";
  for (int stage = 1; stage <= 4; ++stage)
    EXPECT_GT(Saved(ini, "Score1_" + std::to_string(stage) + "_1"), 1000000) << "stage " << stage;
  EXPECT_EQ(Saved(ini, "WhetherExtraOpen"), 1);
}

// The extra stage, played as the main game's stages are: it clears without a
// script report and its score goes to the extra stage's table.
TEST_F(MainGameRun, TheExtraStageClearsAndRecordsItsScore) {
  const auto r = Run(16500, {"--trace", "10"}, 5);
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Err, "");
  bool title = false;
  for (const std::string& line : r.OutLines()) title = title || line.find("\"scene\":\"title\"") != std::string::npos;
  EXPECT_TRUE(title) << "the extra stage never ended";
  EXPECT_GT(Saved(Root.Path() / "data" / "information.ini", "Score3_1_1"), 1000000);
}

// The further stage: its pages lead into the keepers' vigil, the keepers
// take turns without leaving the summit empty, and the last pages end the
// game at the title, all without a script report.
TEST_F(MainGameRun, TheFurtherStageTellsItsPagesAroundTheVigilAndEndsAtTheTitle) {
  const auto r = Run(12000, {"--trace", "1"}, 10);
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Err, "");
  bool pagesBefore = false, pagesAfter = false, title = false;
  int keepers = 0, quiet = 0, longestQuiet = 0;
  long long lastEnemies = 0;
  for (const std::string& line : r.OutLines()) {
    if (line.find("\"scene\":\"title\"") != std::string::npos) {
      title = true;
      break;
    }
    const long long mode = Field(line, "mode"), enemies = Field(line, "enemies");
    if (mode == 3) (keepers == 0 ? pagesBefore : pagesAfter) = true;
    if (enemies > 0 && lastEnemies == 0 && mode != 3) ++keepers;
    lastEnemies = enemies;
    // Once the stage title has shown, something is always on the field,
    // or a talk or a page is on screen.
    quiet = (mode == 0 && enemies == 0 && Field(line, "bullets") == 0 && Field(line, "time") > 200) ? quiet + 1 : 0;
    longestQuiet = std::max(longestQuiet, quiet);
  }
  EXPECT_TRUE(pagesBefore);
  EXPECT_TRUE(pagesAfter);
  EXPECT_TRUE(title) << "the last pages never ended the game";
  EXPECT_GE(keepers, 4);
  EXPECT_LT(longestQuiet, 60);
}

// Every stage of the game compiles with the units it uses and says nothing.
// The tool finds a stage's units from the game's directory, as the game does.
TEST(StageScripts, EveryShippedStageCompilesCleanly) {
  const fs::path saved = fs::current_path();
  fs::current_path(kSourceData.parent_path());
  int stages = 0;
  for (const auto& entry : fs::directory_iterator(kSourceData / "Script")) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("Stage", 0) != 0 || name.find("Enemy") != std::string::npos ||
        name.find("Boss") != std::string::npos)
      continue;
    ++stages;
    const auto r = test::RunTool({"compile", "data/Script/" + name});
    EXPECT_EQ(r.Status, 0) << name;
    EXPECT_EQ(r.Err, "") << name;
    EXPECT_NE(r.Out.find("== MAIN"), std::string::npos) << name;
  }
  fs::current_path(saved);
  EXPECT_GE(stages, 4);
}

}  // namespace
}  // namespace vuzed
