// Familiars: their start values after the header, shots passing through
// them, and their turning, additive picture.

#include "enemy/tukaima.h"

#include <gtest/gtest.h>

#include "back/background.h"
#include "back/texture_list.h"
#include "enemy/enemy_stage_fixture.h"
#include "engine/graphics/rendering_queue.h"
#include "engine/graphics/scene.h"
#include "player/player_shot.h"
#include "support/bmp_writer.h"

namespace vuzed {
namespace {

using test::EnemyDefinition;

struct TukaimaTest : test::EnemyStage {};

TEST_F(TukaimaTest, AStageFamiliarStartsAtTheOriginUnlessItsHeaderMovesItAndIsNeverHit) {
  Load("T,U", EnemyDefinition("T", "    Y := 90;\n    ATARI := 10;\n    PICTURE := 2;\n    HP := 3;\n", "") +
                  EnemyDefinition("U", "", ""),
       "  if time = 1 then\n  begin\n    CreateTukaima(T);\n    CreateTukaima(U);\n  end;");
  g.RunTo(1);
  ASSERT_EQ(Control().Enemies.size(), 2u);
  TEnemy& familiar = Enemy(0);
  EXPECT_EQ(familiar.X, 0);
  EXPECT_EQ(familiar.Y, 90);
  EXPECT_EQ(familiar.Atari, -1);
  EXPECT_EQ(familiar.PictureID, 5);
  EXPECT_EQ(Enemy(1).Y, 0);

  TPlayerTama& shot = *g.Game().PlayerControl->Shots[0];
  shot.X = 0;
  shot.Y = 90;
  shot.Damage = 5;
  shot.Active = true;
  Control().Update();
  EXPECT_EQ(familiar.Hp, 3);
  EXPECT_TRUE(shot.Active);
}

TEST_F(TukaimaTest, AFamiliarDrawsOnlyItsTurningEffectPictureAdditively) {
  g.Dir.Write("data/information.ini", "[Screen]\nFullScreen=0\n");  // pictures load only with it
  const std::string picture = test::MakeBmp(test::PictureOf(8, 4, 24, [](int, int) { return 0x123456u; }));
  g.Dir.Write("data/Graphic/Effect/5.bmp", picture);
  g.Dir.Write("data/Graphic/Effect/10.bmp", picture);
  g.Dir.Write("data/Graphic/Enemy/small/5.bmp", picture);
  Load("T", EnemyDefinition("T", "    X := 100;\n    Y := 50;\n", ""), "");
  auto familiar = MakeEnemy<TTukaima>(g.Game(), *g.Game().ScriptRun->Script.Procedures.Find("T"), 0.0f, 0.0f);
  ASSERT_TRUE(familiar);
  const TVZRenderingQueue& queue = g.Game().BackGround->Scene().ScreenQueue();
  const size_t before = queue.SpriteCount();
  familiar->Draw();
  familiar->Draw();
  ASSERT_EQ(queue.SpriteCount(), before + 2);  // no halo, no small-enemy picture
  const TSpriteRecord& first = queue.Sprite(before);
  const TSpriteRecord& second = queue.Sprite(before + 1);
  EXPECT_EQ(first.Texture, g.Game().TextureList->Get(TPictureTable::Effect, 5));
  EXPECT_EQ(first.BlendMode, 1);
  EXPECT_FALSE(first.Smooth);
  EXPECT_EQ(first.Vertices[0].Color, 0x88FFFFFFu);
  EXPECT_EQ(first.X, 130);  // the playfield origin (30, 15) added
  EXPECT_EQ(first.Y, 65);
  EXPECT_EQ(first.Vertices[0].X, -4);  // unturned at 0 degrees
  EXPECT_NE(second.Vertices[0].X, first.Vertices[0].X);  // one degree on
  familiar->Rotation = 360;
  familiar->Draw();
  EXPECT_EQ(familiar->Rotation, 0);
}

}  // namespace
}  // namespace vuzed
