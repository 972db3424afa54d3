// A whole stage played through `vuzed-tool run` with scripted keys: the ship
// moves and fires, an enemy is shot down and drops its items, a boss's
// spell card is shot down and paid, the boss blasts and clears the stage,
// and the results are left with the shot key, recording the score.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "support/test_dir.h"
#include "support/tool_runner.h"

namespace vuzed {
namespace {

std::string Field(const std::string& line, const std::string& key) {
  const std::string tag = "\"" + key + "\":";
  const auto at = line.find(tag);
  if (at == std::string::npos) return "";
  const auto end = line.find_first_of(",}", at + tag.size());
  return line.substr(at + tag.size(), end - at - tag.size());
}

long long Number(const std::string& line, const std::string& key) { return std::stoll(Field(line, key)); }

size_t CountKind(const std::vector<std::string>& lines, const std::string& kind, const std::string& cls) {
  return size_t(std::count_if(lines.begin(), lines.end(), [&](const std::string& l) {
    return Field(l, "kind") == "\"" + kind + "\"" && Field(l, "class") == "\"" + cls + "\"";
  }));
}

constexpr int kPressPass = 660;  // the one press that leaves the results
constexpr int kFrames = 670;
constexpr long long kSpellMaxScore = 5000;  // SetSpellMaxScore of the boss's card
constexpr long long kAnnouncement = 180;   // frames of the spell card's banner
constexpr long long kClearBase = 1000000;

struct Playthrough : ::testing::Test {
  void SetUp() override {
    std::filesystem::copy(std::filesystem::path(VUZED_TEST_DATA) / "playthrough", root.Path(),
                          std::filesystem::copy_options::recursive);
    std::string scores;
    for (int b = 1; b <= 4; ++b)
      for (int c = 1; c <= 4; ++c) scores += "Score1_" + std::to_string(b) + "_" + std::to_string(c) + "=0\r\n";
    root.Write("data/information.ini", "[Screen]\r\nFullScreen=0\r\n[Score]\r\n" + scores +
                                           "[SystemResult]\r\nAllTime=0\r\nPlayTime=0\r\n");
    // Ten frames to the left puts the ship under the enemy and the boss; the
    // shot key is let go long before the results and pressed once on them.
    keys = root.Write("keys.txt", "1-10 left\n1-340 z\n" + std::to_string(kPressPass) + " z\n");
  }
  test::TempDir root;
  std::filesystem::path keys;
};

TEST_F(Playthrough, ShipEnemyItemsBossSpellCardStageClearAndResults) {
  const auto r = test::RunTool({"run", "--root", root.Path().string(), "--frames", std::to_string(kFrames),
                                "--trace", "1", "--input", keys.string()});
  ASSERT_EQ(r.Status, 0) << r.Err;
  const std::vector<std::string> lines = r.OutLines();
  ASSERT_EQ(lines.size(), size_t(kFrames));  // one per pass, the last being the final summary
  auto at = [&](int pass) { return lines[size_t(pass - 1)]; };
  auto delta = [&](int pass) { return Number(at(pass), "score") - Number(at(pass - 1), "score"); };

  // The ship: four pixels a frame to the left for ten frames, then still.
  EXPECT_EQ(Field(at(1), "px"), "196");
  EXPECT_EQ(Field(at(10), "px"), "160");
  EXPECT_EQ(Field(at(100), "px"), "160");
  EXPECT_EQ(Field(at(100), "py"), "400");

  // The enemy (20 hit points) dies: it leaves the list in the frame its
  // explosion and its three power items and one score item appear. Every
  // shot that hit it scored 1 on the way.
  int died = 0;
  for (int pass = 2; pass <= kFrames && died == 0; ++pass)
    if (Number(at(pass), "items") > Number(at(pass - 1), "items")) died = pass;
  ASSERT_GT(died, 5);
  EXPECT_EQ(Number(at(died), "enemies"), Number(at(died - 1), "enemies") - 1);
  EXPECT_EQ(Field(at(died), "items"), "4");
  EXPECT_EQ(Field(at(died), "effects"), "1");
  EXPECT_GE(Number(at(died), "score"), 20);

  // The power items fall onto the ship: 0.02 power and 31 points each.
  int collected = 0;
  for (int pass = died; pass <= kFrames && collected == 0; ++pass)
    if (Field(at(pass), "power") != "1") collected = pass;
  ASSERT_GT(collected, died);
  EXPECT_EQ(Field(at(collected), "power"), "1.02");
  EXPECT_GE(delta(collected), 31);
  EXPECT_EQ(Field(at(collected + 2), "power"), "1.06");

  // The boss's card pays its bonus once, after its hit points are shot
  // away: the most it can be is the maximum less 7 for each frame of the
  // banner, and it fell by whole 7s.
  int paid = 0;
  for (int pass = collected + 3; pass <= kFrames && paid == 0; ++pass)
    if (delta(pass) > 100) paid = pass;
  ASSERT_GT(paid, 0);
  const long long bonus = delta(paid);
  EXPECT_LE(bonus, kSpellMaxScore - 7 * kAnnouncement);
  EXPECT_EQ((kSpellMaxScore - bonus) % 7, 0) << bonus;
  EXPECT_EQ(Field(at(paid), "enemies"), "1");  // the boss waits for its blast

  // The blast: an explosion every fifth frame from its fifth on; the boss is
  // gone 181 frames after BLAST and drops one item of each kind. The stage
  // clear started in the same frame pays 1000000 plus the frames played
  // (graze 0) 300 frames after it.
  int blast = 0;
  for (int pass = paid; pass <= kFrames && blast == 0; ++pass)
    if (Number(at(pass), "effects") > Number(at(pass - 1), "effects")) blast = pass - 5;
  ASSERT_GT(blast, paid);
  EXPECT_EQ(Field(at(blast + 180), "enemies"), "1");
  EXPECT_EQ(Field(at(blast + 181), "enemies"), "0");
  EXPECT_EQ(Number(at(blast + 181), "items") - Number(at(blast + 180), "items"), 2);
  const int clear = blast + 300;
  ASSERT_LT(clear + 1, kPressPass);
  EXPECT_EQ(delta(clear), kClearBase + clear) << at(clear);
  EXPECT_EQ(delta(clear - 1), 0);

  // The results stay up without the shot key; the press records the score
  // and stage 2 starts from 0 with its own clock.
  const long long final = Number(at(kPressPass - 1), "score");
  EXPECT_EQ(final, Number(at(clear), "score"));
  EXPECT_EQ(Field(at(kPressPass - 1), "time"), std::to_string(kPressPass - 1));
  EXPECT_EQ(Field(at(kPressPass), "score"), "0");
  EXPECT_LT(Number(at(kPressPass + 1), "time"), 3);
  EXPECT_EQ(Field(at(kPressPass + 1), "scene"), "\"game\"");
  const std::string settings = root.Read("data/information.ini");
  EXPECT_NE(settings.find("Score1_1_1=" + std::to_string(final) + "\r\n"), std::string::npos) << settings;
  EXPECT_NE(settings.find("Score1_1_2=0\r\n"), std::string::npos) << settings;
}

TEST_F(Playthrough, TheShotDownEnemyLeavesItsExplosionAndItems) {
  // Find the frame of the kill from a trace, then dump the field there.
  const auto trace = test::RunTool({"run", "--root", root.Path().string(), "--frames", "200", "--trace", "1",
                                    "--input", keys.string()});
  ASSERT_EQ(trace.Status, 0) << trace.Err;
  const auto lines = trace.OutLines();
  int died = 0;
  for (size_t i = 1; i < lines.size() && died == 0; ++i)
    if (Number(lines[i], "items") > 0) died = int(i + 1);
  ASSERT_GT(died, 0);
  const auto r = test::RunTool({"run", "--root", root.Path().string(), "--frames", std::to_string(died), "--dump",
                                "--input", keys.string()});
  ASSERT_EQ(r.Status, 0) << r.Err;
  const auto dump = r.OutLines();
  EXPECT_EQ(CountKind(dump, "enemy", "TBoss"), 1u);
  EXPECT_EQ(CountKind(dump, "enemy", "TEnemy"), 0u);
  EXPECT_EQ(CountKind(dump, "item", "TPowerItem"), 3u);
  EXPECT_EQ(CountKind(dump, "item", "TScoreItem"), 1u);
  ASSERT_EQ(CountKind(dump, "effect", "TEnemyExplosion"), 1u);
  for (const auto& line : dump)
    if (Field(line, "kind") == "\"effect\"") {
      EXPECT_EQ(Field(line, "x"), "160");
      EXPECT_EQ(Field(line, "y"), "150");
    }
}

}  // namespace
}  // namespace vuzed
