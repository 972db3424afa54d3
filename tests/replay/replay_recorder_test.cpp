// The recorder as the game's window uses it: every game from the title is
// handed over when it ends, whether it went back to the title or the
// program closed, and each plays back as it went, the second one too (which
// starts from what the first left behind).

#include "replay/replay_recorder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "engine/platform/clock.h"
#include "engine/platform/null_render_backend.h"
#include "engine/platform/scripted_input_source.h"
#include "engine/platform/window_host.h"
#include "replay/replay_writer.h"
#include "shell/main_form.h"
#include "state/state.h"
#include "support/test_dir.h"
#include "support/tool_runner.h"

namespace vuzed {
namespace {

namespace fs = std::filesystem;

TEST(ReplayRecorder, EveryGameIsHandedOverWhenItEnds) {
  test::TempDir dir;
  fs::copy(fs::path(VUZED_TEST_DATA) / "flow", dir.Path(), fs::copy_options::recursive);
  // Game 1 starts in pass 46 and is lost; shot in pass 1250 leaves it for
  // the title. Game 2 starts in pass 1315; the window's close box after
  // pass 1400 ends the program, and the game with it.
  std::string error;
  std::optional<ScriptedInputSource> keys =
      ScriptedInputSource::Parse("1 z\n31 z\n46 z\n1250 z\n1300 z\n1315 z\n1330-1340 left\n", error);
  ASSERT_TRUE(keys) << error;

  NullRenderBackend render;
  NullWindowHost window;
  ManualClock clock;
  TRecordingInput recording(*keys);
  std::vector<TReplay> games;
  TReplayRecorder recorder(recording, [&](const TReplay& game) { games.push_back(game); });
  TPlatform platform;
  platform.Render = &render;
  platform.Window = &window;
  platform.Input = &recording;
  platform.Time = &clock;
  {
    TForm1 form(platform, dir.Path());
    form.SetWatcher(&recorder);
    form.Timer1Timer();
    int64_t pass = 0;
    while (!form.Closing() && pass < 2000) {
      ++pass;
      clock.Now = double(pass) / 60.0;
      keys->SetPass(pass);
      recording.Refresh();
      form.RunPass(float(clock.Now));
      if (pass == 1250) {
        EXPECT_EQ(games.size(), 1u) << "the first game ends with the pass that leaves it";
      }
      if (pass == 1400) window.Close();
    }
    EXPECT_EQ(form.Context().Scene, TScene::Game);
    EXPECT_TRUE(recorder.Recording());
    recorder.Finish(form.Context());  // as the game does after its loop
    ASSERT_EQ(games.size(), 2u);
    EXPECT_FALSE(recorder.Recording());
  }
  EXPECT_EQ(games[0].Passes, 1250u - 46u);
  EXPECT_EQ(games[1].Passes, 1400u - 1315u);
  // The frame count ran on through the first game and the title.
  EXPECT_GE(games[1].PlayFrames, int32_t(games[0].Passes));
  EXPECT_EQ(games[1].Checkpoints.back().Pass, games[1].Passes);

  for (const TReplay& game : games) {
    const fs::path file = dir.Path() / "game.vzr";
    ASSERT_TRUE(WriteReplayFile(file, game, error)) << error;
    const auto r = test::RunTool({"run", "--root", dir.Path().string(), "--replay", file.string(), "--verify"});
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Err, "");
  }
}

}  // namespace
}  // namespace vuzed
