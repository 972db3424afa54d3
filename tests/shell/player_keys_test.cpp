// The player's keys end to end through `vuzed-tool run`: the [Keys] section
// of the settings file gives the game buttons other keys and pad buttons, a
// faulty section is ignored with one message, and a replay holds the game's
// buttons, so it plays the same whatever keys are set where it is watched.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/input/dik_codes.h"
#include "replay/replay_reader.h"
#include "support/test_dir.h"
#include "support/tool_runner.h"

namespace vuzed {
namespace {

namespace fs = std::filesystem;
using test::RunTool;

// Bomb at pass 10 by key and at pass 300 by pad; slow leftward in between.
// The first script uses the keys of tests/data/keys (Bomb=c, Slow=Space,
// BombPad=7), the second the game's own.
constexpr const char* kChosenKeys = "10 c\n20-60 left space\n300 pad7\n";
constexpr const char* kDefaultKeys = "10 x\n20-60 left d\n300 pad1\n";
constexpr const char* kNoKeysSection = "[Screen]\r\nFullScreen=0\r\n";

struct PlayerKeys : ::testing::Test {
  void SetUp() override { fs::copy(fs::path(VUZED_TEST_DATA) / "keys", root.Path(), fs::copy_options::recursive); }
  test::ToolResult Run(const char* keys, std::vector<std::string> extra = {}) const {
    const std::string input = root.Write("keys.txt", keys).string();
    std::vector<std::string> args{"run", "--root", root.Path().string(), "--frames", "400", "--input", input};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunTool(args);
  }
  void Settings(const std::string& text) const { root.Write("data/information.ini", text); }
  test::TempDir root;
};

int Field(const std::string& summary, const std::string& name) {
  const size_t at = summary.find("\"" + name + "\":");
  return at == std::string::npos ? -1 : std::stoi(summary.substr(at + name.size() + 3));
}

TEST_F(PlayerKeys, ChosenKeysDriveTheShipAsTheDefaultOnesDoWithoutTheSection) {
  const auto chosen = Run(kChosenKeys);
  ASSERT_EQ(chosen.Status, 0) << chosen.Err;
  const auto chosenButDefaultsPressed = Run(kDefaultKeys);
  Settings(kNoKeysSection);
  const auto defaults = Run(kDefaultKeys);
  ASSERT_EQ(defaults.Status, 0) << defaults.Err;

  // Two bombs used, and the ship went left at the slow speed.
  EXPECT_EQ(Field(defaults.Out, "bombs"), 1) << defaults.Out;
  const int slowX = Field(defaults.Out, "px");
  EXPECT_LT(slowX, 200) << defaults.Out;
  EXPECT_EQ(chosen.Out, defaults.Out);
  EXPECT_EQ(chosen.Err, "");

  // With the section, X and pad button 1 no longer bomb and D no longer slows.
  EXPECT_EQ(Field(chosenButDefaultsPressed.Out, "bombs"), 3) << chosenButDefaultsPressed.Out;
  EXPECT_LT(Field(chosenButDefaultsPressed.Out, "px"), slowX) << chosenButDefaultsPressed.Out;
}

TEST_F(PlayerKeys, AFaultySectionIsIgnoredWholeWithOneMessageOnStderrAndInTheLog) {
  Settings(kNoKeysSection);
  const auto defaults = Run(kDefaultKeys);
  // Bomb and Slow both on C: the good Slow line is not taken either.
  Settings("[Screen]\r\nFullScreen=0\r\n[Keys]\r\nBomb=c\r\nSlow=C\r\n");
  const auto faulty = Run(kDefaultKeys);
  ASSERT_EQ(faulty.Status, 0) << faulty.Err;
  EXPECT_EQ(faulty.Out, defaults.Out);
  const std::string message =
      "information.ini:5: Bomb and Slow are on the same key (the [Keys] section is ignored; the default keys are used)";
  EXPECT_EQ(faulty.Err, message + "\n");
  const std::string log = root.Read("Dovivez_DebugLog.txt");
  EXPECT_NE(log.find(message), std::string::npos) << log;
  EXPECT_EQ(log.find(message), log.rfind(message)) << log;
}

TEST_F(PlayerKeys, AGameRecordedWithChosenKeysHoldsTheGamesButtonsAndReplaysAnywhere) {
  const std::string recording = (root.Path() / "game.vzr").string();
  const auto recorded = Run(kChosenKeys, {"--record", recording});
  ASSERT_EQ(recorded.Status, 0) << recorded.Err;

  std::string error;
  std::optional<TReplay> replay = ReadReplayFile(recording, error);
  ASSERT_TRUE(replay) << error;
  bool bombKey = false, bombPad = false;
  for (const TInputRun& run : replay->Input) {
    EXPECT_FALSE(run.Input.KeyDown(dik::C) || run.Input.KeyDown(dik::SPACE) || run.Input.Pad.Buttons[7]);
    bombKey = bombKey || run.Input.KeyDown(dik::X);
    bombPad = bombPad || run.Input.Pad.Buttons[1] != 0;
  }
  EXPECT_TRUE(bombKey && bombPad);

  // Watched where the keys are the defaults, and where they are others again.
  for (const char* settings : {kNoKeysSection, "[Keys]\r\nBomb=x\r\nShot=c\r\nSlow=z\r\n"}) {
    Settings(settings);
    const auto replayed = RunTool({"run", "--root", root.Path().string(), "--replay", recording, "--verify"});
    EXPECT_EQ(replayed.Status, 0) << replayed.Err;
    EXPECT_EQ(replayed.Err, "");
    EXPECT_EQ(replayed.Out, recorded.Out);
  }
}

}  // namespace
}  // namespace vuzed
