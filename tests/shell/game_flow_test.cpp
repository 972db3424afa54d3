// The whole flow a player sees, end to end through `vuzed-tool run --boot`
// with scripted keys: the opening, the title, a game lost to the last life,
// the game-over panel, back to the title, and the program closing from the
// title's exit item with the settings saved.

#include <gtest/gtest.h>

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

// The test stages of tests/data/flow in a fresh game directory.
void CopyFlowStages(const test::TempDir& root) {
  std::filesystem::copy(std::filesystem::path(VUZED_TEST_DATA) / "flow", root.Path(),
                        std::filesystem::copy_options::recursive);
}

TEST(GameFlow, FromTheOpeningThroughALostGameBackToTheTitleAndOut) {
  test::TempDir root;
  CopyFlowStages(root);
  root.Write("data/information.ini", "[Screen]\r\nFullScreen=0\r\n[SystemResult]\r\nAllTime=0\r\nPlayTime=0\r\n");
  // Shot skips the opening; "Game Start" and "Story Mode" after the title's
  // key delay; shot leaves the game-over panel; bomb and shot pick "Quit".
  const auto keys = root.Write("keys.txt", "1 z\n31 z\n46 z\n1250 z\n1300 x\n1330 z\n");
  const auto r = test::RunTool({"run", "--root", root.Path().string(), "--boot", "--frames", "3000", "--trace", "1",
                                "--input", keys.string()});
  ASSERT_EQ(r.Status, 0) << r.Err;
  const std::vector<std::string> lines = r.OutLines();
  // One line per pass, and the closing pass's summary once more: the run
  // ends when the program closes, long before pass 3000.
  ASSERT_EQ(lines.size(), 1331u);
  auto at = [&](int pass) { return lines[size_t(pass - 1)]; };
  EXPECT_EQ(Field(at(1), "scene"), "\"title\"");
  EXPECT_EQ(Field(at(45), "scene"), "\"title\"");
  EXPECT_EQ(Field(at(46), "scene"), "\"game\"");
  EXPECT_EQ(Field(at(46), "lives"), "3");
  // Lives run out: the last one is never replaced and the stage clock stops.
  int lastLifePass = 0;
  for (int pass = 46; pass <= 1249; ++pass)
    if (lastLifePass == 0 && Field(at(pass), "lives") == "1") lastLifePass = pass;
  ASSERT_GT(lastLifePass, 0);
  EXPECT_EQ(Field(at(1249), "scene"), "\"game\"");
  EXPECT_EQ(Field(at(1249), "time"), Field(at(1200), "time"));
  EXPECT_EQ(Field(at(1250), "scene"), "\"title\"");
  EXPECT_EQ(Field(at(1330), "scene"), "\"title\"");
  EXPECT_EQ(lines.back(), at(1330));
  // Closing saved the settings: the running time went up.
  const std::string settings = root.Read("data/information.ini");
  EXPECT_EQ(settings.find("AllTime=0\r\n"), std::string::npos) << settings;
  EXPECT_NE(settings.find("AllTime="), std::string::npos);
}

// A settings file the game may not replace is left as it is, and the run
// says why the records were not saved.
TEST(GameFlow, ARecordsFileThatCannotBeSavedIsLeftAloneWithAMessage) {
  test::TempDir root;
  CopyFlowStages(root);
  const std::string settings = "[Screen]\r\nFullScreen=0\r\n[SystemResult]\r\nAllTime=0\r\n";
  const auto file = root.Write("data/information.ini", settings);
  std::filesystem::permissions(file, std::filesystem::perms::owner_read);
  const auto r = test::RunTool({"run", "--root", root.Path().string(), "--frames", "5"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_NE(r.Err.find("information.ini: the settings and records could not be saved: the file is read-only"),
            std::string::npos)
      << r.Err;
  EXPECT_EQ(root.Read("data/information.ini"), settings);
}

// F11 switches between window and full screen once per press, and the
// choice is saved with the settings; F12 without anything drawn says so.
TEST(GameFlow, TheWindowKeysActOncePerPressAndTheScreenChoiceIsSaved) {
  test::TempDir root;
  CopyFlowStages(root);
  root.Write("data/information.ini", "[Screen]\nFullScreen=0\n");
  const auto keys = root.Write("keys.txt", "5-7 f11\n10 f11\n15-16 f11\n20 f12\n");
  const auto r = test::RunTool({"run", "--root", root.Path().string(), "--frames", "30", "--input", keys.string()},
                               {"XDG_DATA_HOME=" + root.Path().string()});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_NE(root.Read("data/information.ini").find("FullScreen=1\n"), std::string::npos)
      << root.Read("data/information.ini");  // three presses: full, window, full
  EXPECT_EQ(r.Err, "vuzed: F12: nothing has been drawn that could be saved\n");
}

// The extra stage from the main menu's second item, the further stage from
// the first item of its "Others" menu: each starts its own stage (the test
// stages 5 and 10 put 5 and 10 enemies on the field).
TEST(GameFlow, TheMenusLeadToTheExtraAndTheFurtherStage) {
  const struct {
    const char* Keys;
    int StartPass;
    const char* Enemies;
  } rows[] = {
      {"1 z\n31 down\n47 z\n63 z\n", 63, "5"},                 // Extra Start, shot to begin
      {"1 z\n31 down\n47 down\n63 z\n79 z\n95 z\n", 95, "10"},  // Others, the further stage
  };
  for (const auto& row : rows) {
    test::TempDir root;
    CopyFlowStages(root);
    const auto keys = root.Write("keys.txt", row.Keys);
    const auto r = test::RunTool({"run", "--root", root.Path().string(), "--boot", "--frames", "130", "--trace", "1",
                                  "--input", keys.string()});
    ASSERT_EQ(r.Status, 0) << r.Err;
    const std::vector<std::string> lines = r.OutLines();
    ASSERT_GE(lines.size(), 130u);
    EXPECT_EQ(Field(lines[size_t(row.StartPass - 2)], "scene"), "\"title\"") << row.Keys;
    EXPECT_EQ(Field(lines[size_t(row.StartPass - 1)], "scene"), "\"game\"") << row.Keys;
    EXPECT_EQ(Field(lines[129], "enemies"), row.Enemies) << row.Keys;
  }
}

}  // namespace
}  // namespace vuzed
