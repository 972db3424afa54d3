#include "back/spell_back_texture.h"

#include <gtest/gtest.h>

#include "back/background.h"
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

}  // namespace
}  // namespace vuzed
