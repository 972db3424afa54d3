// The title menu through the real frame loop: keys, delays, starting games
// and the music room.

#include <gtest/gtest.h>

#include "engine/graphics/texture.h"
#include "player/player_control.h"
#include "game/game_context.h"
#include "state/state.h"
#include "support/game_fixture.h"
#include "support/test_dir.h"
#include "support/tool_runner.h"
#include "title/title.h"

namespace vuzed {
namespace {

using test::GameFixture;
using test::RunTool;
using test::TempDir;

// The game as it stands on a title screen, keys readable at once.
void ShowScreen(GameFixture& g, int32_t screen, int32_t cursor) {
  g.Game().Scene = TScene::Title;
  TTitle& title = *g.Game().Title;
  title.Screen = screen;
  title.Cursor = cursor;
  title.InputDelay = 0;
}

TEST(TitleMainMenu, BombJumpsToQuitAndShotThenEndsTheRunWithTheSettingsSaved) {
  TempDir root;
  const std::string settings = "[Screen]\r\nFullScreen=0\r\n[SystemResult]\r\nAllTime=5000\r\nPlayTime=0\r\n";
  // Shot skips the opening at pass 1; the title then ignores keys until pass
  // 31. A bomb at pass 30 is lost, so the shot at 60 picks "Game Start".
  auto early = root.Write("early.txt", "1 z\n30 x\n60 z\n");
  auto r = RunTool({"run", "--root", root.Path().string(), "--boot", "--frames", "70", "--input", early.string()});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out.rfind("{\"frame\":70,\"scene\":\"title\"", 0), 0u) << r.Out;

  // A bomb at pass 31 puts the cursor on "Quit": the shot at 60 ends the
  // program, and the settings are saved with one second more running time.
  root.Write("data/information.ini", settings);
  auto keys = root.Write("keys.txt", "1 z\n31 x\n60 z\n");
  r = RunTool({"run", "--root", root.Path().string(), "--boot", "--frames", "600", "--input", keys.string()});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out.rfind("{\"frame\":60,\"scene\":\"title\"", 0), 0u) << r.Out;
  EXPECT_NE(root.Read("data/information.ini").find("AllTime=6000\r\n"), std::string::npos);
}

TEST(TitleMainMenu, GameStartBeginsStageOneWithAFreshShip) {
  GameFixture g;
  g.Keys("1 z\n31 z\n46 z\n");  // skip the opening, "Game Start", "Story Mode"
  g.Start();
  TPlayer& ship = g.Game().PlayerControl->Ship;
  ship.Lives = 0;  // what a lost game leaves behind
  ship.Graze = 57;
  g.RunTo(45);
  EXPECT_EQ(g.Game().Scene, TScene::Title);
  g.RunTo(46);
  EXPECT_EQ(g.Game().Scene, TScene::Game);
  EXPECT_EQ(g.Game().State->StageType, 1);
  EXPECT_EQ(ship.Lives, 3);
  EXPECT_EQ(ship.Graze, 0);
  EXPECT_TRUE(ship.Alive);
}

TEST(TitleMainMenu, ExtraAndFurtherStagesAlsoStartWithAFreshShip) {
  GameFixture g;
  g.Keys("1 z\n3 z\n");
  g.Start();
  TPlayer& ship = g.Game().PlayerControl->Ship;
  for (auto [pass, screen, type] : {std::tuple{1, TTitle::ScreenExtra, 5}, std::tuple{3, TTitle::ScreenFurther, 10}}) {
    ship.Lives = 0;
    ship.Graze = 9;
    ShowScreen(g, screen, 0);
    g.RunTo(pass);
    EXPECT_EQ(g.Game().Scene, TScene::Game) << screen;
    EXPECT_EQ(g.Game().State->StageType, type);
    EXPECT_EQ(ship.Lives, 3);
    EXPECT_EQ(ship.Graze, 0);
    g.RunTo(pass + 1);
  }
}

TEST(TitleMusicRoom, RightAndLeftJumpThreePlacesWrappingRound) {
  GameFixture g;
  g.Keys("1 right\n20 left\n40 down\n");
  g.Start();
  ShowScreen(g, TTitle::ScreenMusicRoom, 9);
  TTitle& title = *g.Game().Title;
  g.RunTo(1);
  EXPECT_EQ(title.Cursor, 2);
  EXPECT_EQ(title.InputDelay, TTitle::kKeyDelay);
  title.Cursor = 1;
  g.RunTo(20);
  EXPECT_EQ(title.Cursor, 7);
  title.Cursor = 9;
  g.RunTo(40);
  EXPECT_EQ(title.Cursor, 0);
}

TEST(TitleMusicRoom, AChosenTrackShowsItsDescriptionOnTheNextFrame) {
  GameFixture g;
  g.Dir.Write("data/Script/MusicRoom.txt", "; test tracks\r\n2=\x81\x77Two\x81\x78 by us[r]A short comment.\r\n");
  g.Keys("1 z\n40 up\n41-80 z\n");
  g.Start();
  ShowScreen(g, TTitle::ScreenMusicRoom, 1);
  TTitle& title = *g.Game().Title;
  g.RunTo(1);
  EXPECT_EQ(g.Game().State->MusicTrack, 2);
  EXPECT_EQ(title.DescriptionLines[0], nullptr);
  g.RunTo(2);
  ASSERT_NE(title.DescriptionLines[0], nullptr);
  ASSERT_NE(title.DescriptionLines[1], nullptr);
  EXPECT_EQ(title.DescriptionLines[2], nullptr);
  EXPECT_GT(title.DescriptionLines[1]->Width(), title.DescriptionLines[0]->Width());
  EXPECT_EQ(title.InputDelay, TTitle::kDescriptionDelay);

  // Track 1 has no text: choosing it clears the panel and plays the track.
  g.RunTo(41);
  EXPECT_EQ(title.Cursor, 0);
  g.RunTo(80);
  EXPECT_EQ(g.Game().State->MusicTrack, 1);
  EXPECT_EQ(title.DescriptionLines[0], nullptr);
}

}  // namespace
}  // namespace vuzed
