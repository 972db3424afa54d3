// Replays end to end through `vuzed-tool run`: a recorded run plays back to
// the same state, a changed input is caught at the next checksum, changed
// scripts are reported, damaged files are refused.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "replay/replay_reader.h"
#include "replay/replay_writer.h"
#include "support/test_dir.h"
#include "support/tool_runner.h"

namespace vuzed {
namespace {

namespace fs = std::filesystem;
using test::RunTool;

constexpr int kFrames = 400;

struct ReplayRun : ::testing::Test {
  void SetUp() override {
    fs::copy(fs::path(VUZED_TEST_DATA) / "replay", root.Path(), fs::copy_options::recursive);
    // Shooting all along, a few moves, and a game pad for a moment.
    keys = root.Write("keys.txt", "1-400 z\n30-50 left\n100-110 right\n150-160 stick:0,-1 pad5\n").string();
    recording = (root.Path() / "game.vzr").string();
  }
  test::ToolResult Run(std::vector<std::string> extra) const {
    std::vector<std::string> args{"run", "--root", root.Path().string(), "--dump"};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunTool(args);
  }
  test::ToolResult Record() const {
    return Run({"--frames", std::to_string(kFrames), "--input", keys, "--record", recording});
  }
  test::TempDir root;
  std::string keys;
  std::string recording;
};

TEST_F(ReplayRun, ARecordedRunPlaysBackToTheSameSummaryAndDump) {
  const auto recorded = Record();
  ASSERT_EQ(recorded.Status, 0) << recorded.Err;
  // The game had bullets flying and enemies shot: a state worth comparing.
  EXPECT_NE(recorded.Out.find("\"kind\":\"bullet\""), std::string::npos) << recorded.Out;
  EXPECT_EQ(recorded.Out.find("\"score\":0,"), std::string::npos) << recorded.Out;

  // Recording changes nothing of the run.
  EXPECT_EQ(Run({"--frames", std::to_string(kFrames), "--input", keys}).Out, recorded.Out);

  const auto replayed = Run({"--replay", recording, "--verify"});
  EXPECT_EQ(replayed.Status, 0) << replayed.Err;
  EXPECT_EQ(replayed.Err, "");
  EXPECT_EQ(replayed.Out, recorded.Out);

  // The replay carries its seed: the same keys with another seed go otherwise.
  EXPECT_NE(Run({"--frames", std::to_string(kFrames), "--input", keys, "--seed", "2"}).Out, recorded.Out);
}

// Every pass's input, one entry per pass, and back to runs.
std::vector<TPassInput> Expand(const TReplay& replay) {
  std::vector<TPassInput> passes;
  for (const TInputRun& run : replay.Input) passes.insert(passes.end(), run.Length, run.Input);
  return passes;
}

std::vector<TInputRun> Compress(const std::vector<TPassInput>& passes) {
  std::vector<TInputRun> runs;
  for (const TPassInput& input : passes) {
    if (!runs.empty() && runs.back().Input == input)
      ++runs.back().Length;
    else
      runs.push_back({1, input});
  }
  return runs;
}

TEST_F(ReplayRun, OneChangedInputIsCaughtAtTheFirstChecksumAfterIt) {
  ASSERT_EQ(Record().Status, 0);
  std::string error;
  const std::optional<TReplay> original = ReadReplayFile(recording, error);
  ASSERT_TRUE(original) << error;
  ASSERT_EQ(original->Passes, uint32_t(kFrames));

  struct Case {
    uint32_t Pass;  // the pass whose input gains the right arrow
    const char* Expected;
  };
  for (const Case& c : {Case{90, "desync at pass 120\n"}, Case{125, "desync at pass 180\n"},
                        Case{395, "desync at pass 400\n"}}) {
    TReplay changed = *original;
    std::vector<TPassInput> passes = Expand(changed);
    std::vector<uint8_t>& down = passes[c.Pass - 1].Keys;
    ASSERT_FALSE(passes[c.Pass - 1].KeyDown(0xCD));
    down.push_back(0xCD);  // right
    std::sort(down.begin(), down.end());
    changed.Input = Compress(passes);
    ASSERT_TRUE(WriteReplayFile(recording + ".changed", changed, error)) << error;

    const auto r = Run({"--replay", recording + ".changed", "--verify"});
    EXPECT_EQ(r.Status, 3) << c.Pass << r.Out;
    EXPECT_EQ(r.Err, c.Expected) << c.Pass;
    // Without --verify it plays on to its end.
    const auto unchecked = Run({"--replay", recording + ".changed"});
    EXPECT_EQ(unchecked.Status, 0);
    EXPECT_NE(unchecked.Out.find("{\"frame\":400,"), std::string::npos);
  }
}

TEST_F(ReplayRun, OtherStageScriptsAreReportedAndTheReplayStillPlays) {
  ASSERT_EQ(Record().Status, 0);
  root.Write("data/Script/Stage1.txt", root.Read("data/Script/Stage1.txt") + "// changed since\n");
  const auto r = Run({"--replay", recording});
  EXPECT_EQ(r.Status, 0);
  EXPECT_NE(r.Err.find("recorded with other stage scripts"), std::string::npos) << r.Err;
  EXPECT_NE(r.Out.find("{\"frame\":400,"), std::string::npos);
}

TEST_F(ReplayRun, DamagedOrTruncatedReplaysAreRefusedWithAMessage) {
  ASSERT_EQ(Record().Status, 0);
  const std::string whole = root.Read("game.vzr");
  struct Case {
    std::string Bytes;
    std::string Message;
  };
  const Case cases[] = {
      {whole.substr(0, whole.size() - 5),
       "truncated replay: the file ends at byte " + std::to_string(whole.size() - 5) + ", inside checksums"},
      {whole.substr(0, 50), "truncated replay: the file ends at byte 50, inside the header"},
      {"", "not a vuzed replay"},
      {"VZRP\x07", "truncated replay"},
      {whole + "junk", "4 bytes after its end"},
  };
  for (const Case& c : cases) {
    const std::string file = root.Write("bad.vzr", c.Bytes).string();
    const auto r = Run({"--replay", file, "--verify"});
    EXPECT_EQ(r.Status, 1) << c.Message;
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(r.Err.rfind("vuzed-tool run: " + file + ": ", 0), 0u) << r.Err;
    EXPECT_NE(r.Err.find(c.Message), std::string::npos) << r.Err;
  }
  const auto missing = Run({"--replay", (root.Path() / "none.vzr").string()});
  EXPECT_EQ(missing.Status, 1);
  EXPECT_NE(missing.Err.find("cannot be read"), std::string::npos);
}

TEST_F(ReplayRun, AReplayBringsItsOwnStageSeedAndInput) {
  ASSERT_EQ(Record().Status, 0);
  for (std::vector<std::string> extra : {std::vector<std::string>{"--stage", "1"}, {"--seed", "1"},
                                         {"--input", keys}, {"--autoplay"}, {"--boot"}}) {
    extra.insert(extra.begin(), {"--replay", recording});
    const auto r = Run(extra);
    EXPECT_EQ(r.Status, 2) << extra[2];
    EXPECT_NE(r.Err.find("--replay"), std::string::npos) << r.Err;
  }
  EXPECT_EQ(Run({"--verify"}).Status, 2);
}

}  // namespace
}  // namespace vuzed

namespace vuzed {
namespace {

// The summary without its pass number.
std::string WithoutFrame(const std::string& summary) { return summary.substr(summary.find(',')); }

// A game started from the title is recorded from its first pass to the pass
// that returns to the title, and plays back to the same state.
TEST(ReplayFromTheTitle, AGameLostToItsLastLifePlaysBackAsItWent) {
  test::TempDir root;
  fs::copy(fs::path(VUZED_TEST_DATA) / "flow", root.Path(), fs::copy_options::recursive);
  // Shot skips the opening; "Game Start" and "Story Mode"; the game starts
  // in pass 46; shot leaves the game-over panel in pass 1250.
  const auto keys = root.Write("keys.txt", "1 z\n31 z\n46 z\n1250 z\n");
  const std::string file = (root.Path() / "game.vzr").string();
  const auto played = RunTool({"run", "--root", root.Path().string(), "--boot", "--frames", "1300", "--trace", "1",
                               "--input", keys.string(), "--record", file});
  ASSERT_EQ(played.Status, 0) << played.Err;
  const std::vector<std::string> lines = played.OutLines();
  ASSERT_GE(lines.size(), 1250u);
  ASSERT_NE(lines[1249].find("\"scene\":\"title\""), std::string::npos) << lines[1249];

  std::string error;
  const std::optional<TReplay> replay = ReadReplayFile(file, error);
  ASSERT_TRUE(replay) << error;
  EXPECT_EQ(replay->Passes, 1250u - 46u);
  EXPECT_EQ(replay->Ship.Lives, 3);

  const auto back = RunTool({"run", "--root", root.Path().string(), "--replay", file, "--verify"});
  EXPECT_EQ(back.Status, 0) << back.Err;
  EXPECT_EQ(back.Err, "");
  EXPECT_EQ(WithoutFrame(back.OutLines().back()), WithoutFrame(lines[1249]));
  EXPECT_EQ(WithoutFrame(RunTool({"run", "--root", root.Path().string(), "--replay", file, "--frames", "1000"})
                             .OutLines()
                             .back()),
            WithoutFrame(lines[1045]));
}

}  // namespace
}  // namespace vuzed
