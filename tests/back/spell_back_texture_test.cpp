#include "back/spell_back_texture.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "back/background.h"
#include "player/player_control.h"
#include "shell/main_form.h"
#include "support/bmp_writer.h"
#include "support/game_fixture.h"

namespace vuzed {
namespace {

struct SpellBackTest : ::testing::Test {
  void SetUp() override {
    auto picture = [](int w, int h) { return test::MakeBmp(test::PictureOf(w, h, 24, [](int, int) { return 0x808080u; })); };
    g.Dir.Write("data/information.ini", "[Screen]\nFullScreen=0\n");
    g.Dir.Write("data/Graphic/Back/3.bmp", picture(256, 256));
    g.Dir.Write("data/Graphic/Back/4.bmp", picture(64, 32));
    g.Start();
  }
  TSpellBackTexture& Layer() { return g.Game().BackGround->FarPicture().Layer(0); }
  test::GameFixture g;
};

TEST_F(SpellBackTest, ScrollsByItsPatternAndWrapsAroundThePicture) {
  Layer().SetPicture(3, 1, 255);
  EXPECT_FLOAT_EQ(Layer().X, 128);
  EXPECT_FLOAT_EQ(Layer().Y, 128);
  for (int i = 0; i < 32; ++i) Layer().Move();
  EXPECT_FLOAT_EQ(Layer().Y, 256);  // at the edge, not past it
  Layer().Move();
  EXPECT_FLOAT_EQ(Layer().Y, 4);
  for (int i = 0; i < 31; ++i) Layer().Move();
  EXPECT_FLOAT_EQ(Layer().Y, 128);  // a full wrap every 64 frames
}

TEST_F(SpellBackTest, PatternTenKeepsTheMovementOfThePictureBefore) {
  Layer().SetPicture(3, 14, 255);
  Layer().SetPicture(4, 10, 255);
  EXPECT_FLOAT_EQ(Layer().IdouX, 12);
  EXPECT_FLOAT_EQ(Layer().IdouY, 0);
  EXPECT_EQ(Layer().Width, 64);
}

TEST_F(SpellBackTest, AMissingPictureSwitchesTheLayerOffWithoutAFade) {
  Layer().SetPicture(3, 0, 200);
  Layer().SetPicture(7, 0, 200);
  EXPECT_EQ(Layer().Picture, -1);
  Layer().Draw();
  EXPECT_EQ(g.Game().BackGround->Scene().TranslucentQueue().SpriteCount(), 0u);
}

TEST_F(SpellBackTest, TheFirstFrameCrossFadesOldAndNewBehindTheScreenSprites) {
  Layer().SetPicture(4, 0, 120);
  Layer().FadeCounter = 0;
  Layer().SetPicture(3, 0, 255);
  Layer().Draw();
  const TVZRenderingQueue& queue = g.Game().BackGround->Scene().TranslucentQueue();
  ASSERT_GE(queue.SpriteCount(), 2u);
  EXPECT_EQ(queue.Sprite(0).Vertices[0].Color >> 24, 118u);  // round(59/60 * 120), the old picture
  EXPECT_EQ(queue.Sprite(1).Vertices[0].Color >> 24, 4u);    // round(1/60 * 255), the new one
  EXPECT_EQ(queue.Sprite(1).BlendMode, 2);
  EXPECT_TRUE(queue.Sprite(1).Smooth);
  EXPECT_EQ(g.Game().BackGround->Scene().ScreenQueue().SpriteCount(), 0u);
}

// The tiled copies around the scroll point, at (200, 50) on a 256 x 256
// picture: the copy above needs Y > h/2, the one up and left X > w/2 too.
TEST_F(SpellBackTest, CopiesCoverTheScreenAroundTheScrollPoint) {
  Layer().SetPicture(3, 0, 255);
  Layer().FadeCounter = 0;
  Layer().X = 200;
  Layer().Y = 50;
  const TVZRenderingQueue& queue = g.Game().BackGround->Scene().TranslucentQueue();
  auto centres = [&] {
    std::set<std::pair<float, float>> drawn;
    for (size_t i = 0; i < queue.SpriteCount(); ++i) drawn.insert({queue.Sprite(i).X, queue.Sprite(i).Y});
    return drawn;
  };
  Layer().Draw();
  EXPECT_EQ(queue.SpriteCount(), 6u);
  const std::set<std::pair<float, float>> vertical{{200, 50}, {200, 306}, {-56, 50}, {456, 50}, {456, 306}, {-56, 306}};
  EXPECT_EQ(centres(), vertical);
  EXPECT_EQ(queue.Sprite(0).Vertices[0].Color, 0xFFFFFFFFu);

  // SIDEWAYS adds the copy two widths to the right.
  g.Game().LayoutMode = LayoutSideways;
  g.Game().BackGround->Render();
  Layer().Draw();
  std::set<std::pair<float, float>> sideways = vertical;
  sideways.insert({712, 50});
  EXPECT_EQ(centres(), sideways);
}

// End to end through the frame loop: the stage's layer commands, then the
// director moving and drawing the layers once per frame before the script.
TEST_F(SpellBackTest, StageCommandsSetLayersThatTheDirectorScrollsEveryFrame) {
  g.Dir.Write("data/Script/Stage1.txt",
              "type\n  procedure OPENING;\n  procedure MAIN;\nend;\n"
              "procedure OPENING;\nbegin\n  SetShotMode(VERTICAL);\nend;\n"
              "procedure MAIN;\nbegin\n  if time = 1 then\n  begin\n    SetBackGraphic2(1+2, 1, 255);\n"
              "    SetBackGraphic3(7, 1, 255);\n  end;\nend;\n");
  g.Game().ChangeScene(TScene::Game);
  g.Game().PlayerControl->ResetPlayer();
  g.Form->GameStart(1);
  g.RunTo(1);
  TMostBackGroundPicture& layers = g.Game().BackGround->FarPicture();
  EXPECT_EQ(layers.Layer(1).Picture, 3);
  EXPECT_EQ(layers.Layer(2).Picture, -1);  // not loaded: ignored
  EXPECT_EQ(layers.Layer(2).FadeCounter, 0);
  EXPECT_FLOAT_EQ(layers.Layer(1).Y, 128);
  g.RunTo(3);
  EXPECT_FLOAT_EQ(layers.Layer(1).Y, 136);
  EXPECT_EQ(layers.Layer(1).FadeCounter, 58);
}

}  // namespace
}  // namespace vuzed
