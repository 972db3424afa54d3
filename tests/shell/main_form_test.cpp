#include "shell/main_form.h"

#include <gtest/gtest.h>

#include <fstream>

#include "back/background.h"
#include "back/texture_list.h"
#include "engine/graphics/device.h"
#include "engine/graphics/texture.h"
#include "engine/input/dik_codes.h"
#include "engine/input/input_device.h"
#include "player/player_control.h"
#include "stage/script_run.h"
#include "state/state.h"
#include "support/bmp_writer.h"
#include "support/game_fixture.h"
#include "title/title.h"

namespace vuzed {
namespace {

using test::GameFixture;

std::vector<std::string> ReadLines(const std::filesystem::path& p) {
  std::vector<std::string> lines;
  std::ifstream in(p, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

std::string SmallBmp(uint32_t rgb) {
  return test::MakeBmp(test::PictureOf(2, 2, 24, [&](int, int) { return rgb; }));
}

// The order in which the device registry saw textures and scenes, from the log.
std::vector<std::string> Registrations(const std::filesystem::path& dir) {
  std::vector<std::string> order;
  for (const std::string& line : ReadLines(dir / "Dovivez_DebugLog.txt")) {
    size_t at = line.find("Dovivezリソース(");
    if (at == std::string::npos || line.find("を登録します") == std::string::npos) continue;
    size_t open = at + std::string("Dovivezリソース(").size();
    order.push_back(line.substr(open, line.find(')', open) - open));
  }
  return order;
}

TEST(MainForm, StartupBuildsInItsFixedOrder) {
  GameFixture g;
  g.Dir.Write("data/information.ini", "[Screen]\nFullScreen=0\n");
  g.Dir.Write("data/Graphic/Other/12.bmp", SmallBmp(0x000000));
  g.Dir.Write("data/Graphic/Other/10.bmp", SmallBmp(0x123456));
  g.Dir.Write("data/Graphic/Player/1.bmp", SmallBmp(0xFF00FF));
  g.Dir.Write("data/Graphic/Back/0.bmp", SmallBmp(0x00FF00));
  g.Start();
  // Title texture (texture table), the background's scene, the loading
  // picture, the scene made anew after the display mode, then the tables.
  EXPECT_EQ(Registrations(g.Dir.Path()),
            (std::vector<std::string>{"TMXTexture", "TVZScene", "TMXTexture", "TVZScene", "TMXTexture",
                                      "TMXTexture"}));
  TGameContext& c = g.Game();
  EXPECT_EQ(c.Scene, TScene::Opening);
  // The loading picture was shown once, full size, opaque white.
  ASSERT_EQ(size_t(g.Render.PresentCount), 1u);
  ASSERT_EQ(g.Render.Frames.back().size(), 1u);
  EXPECT_EQ(g.Render.Frames.back()[0].Vertices[3].X, 2);
  EXPECT_EQ(g.Render.Frames.back()[0].Vertices[0].Diffuse, 0xFFFFFFFFu);
  EXPECT_NE(g.Render.Frames.back()[0].TextureId, 0u);
  EXPECT_NE(c.TextureList->Get(TPictureTable::Player, 1), nullptr);
  EXPECT_NE(c.TextureList->Get(TPictureTable::Back, 0), nullptr);
  EXPECT_NE(c.TextureList->TitleTexture(), nullptr);
  EXPECT_EQ(c.FrameInterval, 1.0 / 60.0);
  EXPECT_EQ(c.State->MusicTrack, 3);
  EXPECT_EQ(c.ShotButton, 0);
  EXPECT_EQ(c.BombButton, 1);
  EXPECT_EQ(c.SlowButton, 5);
  EXPECT_EQ(c.PauseButton, 4);
  EXPECT_EQ(c.QuitButton, 16);
  EXPECT_EQ(c.KeyWait, 0);
}

TEST(MainForm, WithoutASettingsFileNothingIsLoaded) {
  GameFixture g;
  g.Dir.Write("data/Graphic/Player/1.bmp", SmallBmp(0xFF00FF));
  g.Start();
  EXPECT_EQ(g.Game().TextureList->Get(TPictureTable::Player, 1), nullptr);
  EXPECT_EQ(g.Game().TextureList->SlotCount(TPictureTable::Player), 0);
  g.Form.reset();
  EXPECT_FALSE(std::filesystem::exists(g.Dir.Path() / "data/information.ini"));
}

TEST(MainForm, FullScreenSettingSwitchesTheDeviceAndShowsTheLoadingPictureAgain) {
  GameFixture g;
  g.Dir.Write("data/information.ini", "[Screen]\nFullScreen=1\n");
  g.Start();
  EXPECT_FALSE(g.Game().Dovivez1->Windowed());
  EXPECT_TRUE(g.Window.FullScreen);
  EXPECT_EQ(size_t(g.Render.PresentCount), 2u);
  g.Form.reset();
  std::string saved = g.Dir.Read("data/information.ini");
  EXPECT_NE(saved.find("FullScreen=1"), std::string::npos);
  EXPECT_NE(saved.find("ScreenMode=32"), std::string::npos);
}

TEST(MainForm, StartupBindsTheSystemKeys) {
  GameFixture g;
  g.Keys("1 space\n2 esc\n3 p\n4 f1\n");
  g.Start();
  TRuzud& input = *g.Game().Ruzud1;
  g.Input.SetPass(1);
  input.Poll({0});
  EXPECT_FALSE(input.IsPressed(0));  // Space is no longer a shot key
  g.Input.SetPass(2);
  input.Poll({0});
  EXPECT_TRUE(input.IsPressed(3));
  EXPECT_FALSE(input.IsPressed(1));  // nor is Escape a bomb key
  g.Input.SetPass(3);
  input.Poll({0});
  EXPECT_TRUE(input.IsPressed(3));
  g.Input.SetPass(4);
  input.Poll({0});
  EXPECT_TRUE(input.IsPressed(4));
}

struct InGame : ::testing::Test {
  void SetUp() override {
    g.Start();
    TGameContext& c = g.Game();
    c.ChangeScene(TScene::Game);
    c.PlayerControl->ResetPlayer();
    g.Form->GameStart(1);
  }
  GameFixture g;
};

TEST_F(InGame, EscapePausesThenBacksOutAfterThirtyFrames) {
  g.Keys("1 esc\n10 esc\n31 esc\n");
  TGameContext& c = g.Game();
  g.RunTo(1);
  EXPECT_EQ(c.ScriptRun->ScriptMode, TScriptMode::Paused);
  EXPECT_EQ(c.KeyWait, 30);
  g.RunTo(10);  // within the 30 frames: nothing
  EXPECT_EQ(c.ScriptRun->ScriptMode, TScriptMode::Paused);
  EXPECT_EQ(c.Scene, TScene::Game);
  g.RunTo(31);  // KeyWait reached 0 at this pass's start
  EXPECT_EQ(c.Scene, TScene::Title);
  EXPECT_EQ(c.Title->Screen, 0);
  EXPECT_EQ(c.KeyWait, 30);
  EXPECT_FALSE(g.Form->Closing());
}

TEST_F(InGame, ShotResumesAPauseAtOnceAndDoesNothingWhileRunning) {
  g.Keys("1 z\n2 p\n40 z\n");
  TGameContext& c = g.Game();
  g.RunTo(1);
  EXPECT_EQ(c.ScriptRun->ScriptMode, TScriptMode::Running);
  g.RunTo(2);
  EXPECT_EQ(c.ScriptRun->ScriptMode, TScriptMode::Paused);
  g.RunTo(39);
  EXPECT_EQ(c.ScriptRun->ScriptMode, TScriptMode::Paused);
  g.RunTo(40);
  EXPECT_EQ(c.ScriptRun->ScriptMode, TScriptMode::Running);
  EXPECT_EQ(c.KeyWait, 0);  // resuming does not set it
}

TEST_F(InGame, EscapeInADialogueAbandonsTheGame) {
  g.Keys("1 esc\n");
  g.Game().ScriptRun->ScriptMode = TScriptMode::Novel;
  g.RunTo(1);
  EXPECT_EQ(g.Game().Scene, TScene::Title);
}

TEST_F(InGame, F1PausesInTheGameBecauseItIsAlsoThePauseButton) {
  g.Keys("3 f1\n");
  g.RunTo(3);
  EXPECT_EQ(g.Game().ScriptRun->ScriptMode, TScriptMode::Paused);
  EXPECT_EQ(g.Game().KeyWait, 30);
  EXPECT_FALSE(g.Form->Closing());
}

TEST(MainFormTitle, EscapeReturnsToTheMainMenuThenCloses) {
  GameFixture g;
  g.Start();
  g.Keys("1 esc\n31 esc\n");
  TGameContext& c = g.Game();
  c.ChangeScene(TScene::Title);
  c.Title->Screen = 5;
  c.Title->Cursor = 1;
  g.RunTo(1);
  EXPECT_EQ(c.Title->Screen, 0);
  EXPECT_EQ(c.Title->Cursor, 3);
  EXPECT_FALSE(g.Form->Closing());
  g.RunTo(31);
  EXPECT_TRUE(g.Form->Closing());
}

TEST(MainFormOpening, F1ClosesAtOnceWhileThePauseKeyDoesNothing) {
  GameFixture g;
  g.Start();
  g.Keys("1 esc\n2 f1\n");
  g.RunTo(1);
  EXPECT_EQ(g.Game().KeyWait, 0);
  EXPECT_FALSE(g.Form->Closing());
  g.RunTo(2);
  EXPECT_TRUE(g.Form->Closing());
}

// One sprite is queued before every step, tagged by its pass number.
TEST_F(InGame, FastForwardDrawsEveryDivisorthStepWithAllQueuedSprites) {
  g.Keys("1-400 f5\n");
  TGameContext& c = g.Game();
  size_t framesBefore = size_t(g.Render.PresentCount);
  int32_t counterBefore = c.BackGround->Counter;
  for (int pass = 1; pass <= 200; ++pass) {
    const TSpriteVertex v[4] = {};
    c.BackGround->Scene().DrawSprite(MakePoint(float(pass), 0), v, nullptr, 2, false, true, 0);
    g.RunTo(pass);
    if (pass < 200) {
      ASSERT_EQ(size_t(g.Render.PresentCount), framesBefore) << pass;
    }
  }
  ASSERT_EQ(size_t(g.Render.PresentCount), framesBefore + 1);
  const auto& drawn = g.Render.Frames.back();
  ASSERT_EQ(drawn.size(), 200u);
  EXPECT_EQ(drawn.front().Vertices[0].X, 1);
  EXPECT_EQ(drawn.back().Vertices[0].X, 200);
  // The background's own update plus one extra step per pass.
  EXPECT_EQ(c.BackGround->Counter - counterBefore, 400);
}

TEST_F(InGame, F3WinsOverF5AndNoKeyDrawsEveryPass) {
  g.Keys("1-10 f3 f5\n11-12 f4\n");
  size_t before = size_t(g.Render.PresentCount);
  g.RunTo(9);
  EXPECT_EQ(size_t(g.Render.PresentCount), before);
  g.RunTo(10);
  EXPECT_EQ(size_t(g.Render.PresentCount), before + 1);
  g.RunTo(12);
  EXPECT_EQ(size_t(g.Render.PresentCount), before + 1);
  g.Keys("");
  g.RunTo(14);
  EXPECT_EQ(size_t(g.Render.PresentCount), before + 3);
}

TEST_F(InGame, FrameRateIsSampledEverySixtyFrames) {
  TGameContext& c = g.Game();
  g.RunTo(59);
  EXPECT_EQ(c.FpsValue, 0);
  g.RunTo(60);
  EXPECT_EQ(c.FpsValue, 6000);  // exactly 60 frames per second
  g.RunTo(119);
  EXPECT_EQ(c.FpsFrameCount, 59);
  // From here on every pass takes 1.25/60 s.
  auto slowPass = [&](int64_t pass) {
    g.Clock.Now = 119.0 / 60.0 + double(pass - 119) * 1.25 / 60.0;
    g.Input.SetPass(pass);
    g.Form->RunPass(float(g.Clock.Now));
  };
  slowPass(120);
  EXPECT_EQ(c.FpsValue, 5975);  // 60 frames in 60.25/60 s
  for (int64_t pass = 121; pass <= 179; ++pass) slowPass(pass);
  EXPECT_EQ(c.FpsValue, 5975);  // no sample in between
  slowPass(180);
  EXPECT_EQ(c.FpsValue, 4800);  // 60 frames in 1.25 s
  EXPECT_EQ(c.State->LastFps, 5975);  // the game state saw the value before this pass's sample
}

TEST_F(InGame, ALostDeviceSkipsFramesAndOneReadyForResetEndsTheProgram) {
  TGameContext& c = g.Game();
  g.Render.Level = CooperativeLevel::Lost;
  int32_t frames = c.State->PlayFrames;
  g.RunTo(3);
  EXPECT_EQ(c.State->PlayFrames, frames);
  EXPECT_FALSE(g.Form->Closing());
  g.Render.Level = CooperativeLevel::NotReset;
  g.RunTo(4);
  EXPECT_TRUE(g.Form->Closing());
  EXPECT_EQ(g.Render.ResetCount, 1);
  EXPECT_EQ(c.State->PlayFrames, frames);
}

TEST(MainFormIdle, AnInactiveWindowRunsNoFramesAndCatchesNothingUpOnReturn) {
  GameFixture g;
  g.Start();
  TGameContext& c = g.Game();
  c.ChangeScene(TScene::Game);
  g.Window.Active = false;
  for (int i = 0; i < 100; ++i) g.Form->ApplicationEvents1Idle();
  EXPECT_EQ(c.State->PlayFrames, 0);
  EXPECT_GT(g.Clock.Now, 0.09);  // it slept 1 ms per turn
  g.Window.Active = true;
  g.Form->ApplicationEvents1Idle();
  EXPECT_EQ(c.State->PlayFrames, 1);
  g.Form->ApplicationEvents1Idle();  // no time has passed: paced out
  EXPECT_EQ(c.State->PlayFrames, 1);
  g.Clock.Now += 1.0 / 60.0;
  g.Form->ApplicationEvents1Idle();
  EXPECT_EQ(c.State->PlayFrames, 2);
}

TEST(MainFormGameStart, TypesChooseTheirBackgroundSet) {
  GameFixture g;
  g.Start();
  struct Case {
    int Type;
    int Set;
  };
  for (Case k : {Case{0, 1}, Case{1, 1}, Case{2, 3}, Case{3, 3}, Case{4, 2}, Case{5, 2}}) {
    g.Form->GameStart(k.Type);
    EXPECT_EQ(g.Game().BackGround->Set, k.Set) << k.Type;
    EXPECT_EQ(g.Game().State->StageType, k.Type);
  }
  g.Form->GameStart(10);  // any other type: a fresh scene, the set unchanged
  EXPECT_EQ(g.Game().BackGround->Set, 2);
}

}  // namespace
}  // namespace vuzed
