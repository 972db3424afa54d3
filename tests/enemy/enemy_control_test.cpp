// The enemy control's frame: shots against enemies, bullets against the
// ship with grazing, freezing, explosions, and the run dump end to end.

#include "enemy/enemy_control.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "enemy/enemy_laser.h"
#include "enemy/enemy_stage_fixture.h"
#include "back/background.h"
#include "back/texture_list.h"
#include "engine/graphics/rendering_queue.h"
#include "engine/graphics/scene.h"
#include "objects/second_string_list2.h"
#include "support/bmp_writer.h"
#include "state/state.h"
#include "support/test_dir.h"
#include "support/tool_runner.h"

namespace vuzed {
namespace {

using test::EnemyDefinition;
using test::EnemyStage;

// A stage with nothing in MAIN, and enemies of an empty definition placed
// by hand.
struct EnemyControlStep : EnemyStage {
  void SetUp() override { Load("", "", ""); }
  TEnemy& AddEnemy(float x, float y, int32_t atari, int32_t hp) {
    auto enemy = MakeEnemy<TEnemy>(g.Game(), Empty);
    enemy->X = x;
    enemy->Y = y;
    enemy->Atari = atari;
    enemy->Hp = hp;
    Control().Enemies.push_back(std::move(enemy));
    return *Control().Enemies.back();
  }
  TPlayerTama& Shot(size_t i, float x, float y, int32_t damage) {
    TPlayerTama& shot = *g.Game().PlayerControl->Shots[i];
    shot.X = x;
    shot.Y = y;
    shot.Damage = damage;
    shot.Active = true;
    return shot;
  }
  TEnemyTama& AddBullet(float x, float y, int32_t picture) {
    Control().Tamas.push_back(std::make_unique<TEnemyBullet1>(g.Game(), x, y, 0.0f, 0.0f, picture));
    return *Control().Tamas.back();
  }
  TLineList Lines{{"BEGIN;", {}}, {"END;", {}}};
  TVarTable Vars;
  TSecondStringList2 Empty{&Lines, &Vars};
};

TEST_F(EnemyControlStep, ShotsHitOnlyEnemiesWithARadiusAndAreSpentOnTheFirst) {
  TEnemy& untouchable = AddEnemy(100, 100, 0, 10);
  TEnemy& first = AddEnemy(100, 100, 8, 10);
  TEnemy& second = AddEnemy(100, 100, 8, 10);
  Shot(0, 100, 100, 2);
  Shot(1, 105, 100, 3);
  const int32_t score = g.Game().State->Score;
  Control().Update();
  EXPECT_EQ(untouchable.Hp, 10);
  EXPECT_EQ(first.Hp, 5);  // one enemy takes both shots in one frame
  EXPECT_EQ(second.Hp, 10);
  EXPECT_FALSE(g.Game().PlayerControl->Shots[0]->Active);
  EXPECT_EQ(g.Game().State->Score, score + 2);
}

TEST_F(EnemyControlStep, AKilledEnemyExplodesAndDropsOnTheNextFrame) {
  AddEnemy(100, 100, 8, 1);
  Shot(0, 100, 100, 1);
  Control().Update();
  EXPECT_EQ(Control().Enemies.size(), 1u);
  EXPECT_TRUE(Control().Effects.empty());
  Control().Update();
  EXPECT_TRUE(Control().Enemies.empty());
  ASSERT_EQ(Control().Effects.size(), 1u);
  EXPECT_EQ(Control().Effects[0]->Angle, 30);
  EXPECT_EQ(Control().Items.size(), 2u);
}

TEST_F(EnemyControlStep, ABulletGrazesOnceAndTheGrazeEdgeIsAMiss) {
  // Ship at (200, 400), graze radius 15; picture 15 gives a radius of 4.
  ASSERT_EQ(Ship().GrazeRadius, 15);
  AddBullet(Ship().X + 19, Ship().Y, 15);  // exactly 15 + 4 away
  AddBullet(Ship().X, Ship().Y - 18.5f, 15);
  for (int i = 0; i < 3; ++i) Control().Update();
  EXPECT_EQ(Ship().Graze, 1);
  EXPECT_FALSE(Control().Tamas[0]->Grazed);
  EXPECT_TRUE(Control().Tamas[1]->Grazed);
}

TEST_F(EnemyControlStep, ABulletInsideTheHitRadiusHitsAndGoes) {
  Ship().InvulnerableTimer = 0;
  const int32_t hp = Ship().Hp;
  AddBullet(Ship().X + 5, Ship().Y, 15);
  Control().Update();
  EXPECT_TRUE(Control().Tamas.empty());
  EXPECT_EQ(Ship().Hp, hp - 1);
  EXPECT_EQ(Ship().Graze, 1);
}

TEST_F(EnemyControlStep, AShipInThePlayfieldCornerNeitherGrazesNorRemovesALaserHolder) {
  Ship().InvulnerableTimer = 0;
  Ship().X = 0;
  Ship().Y = 0;
  // A beam far from the corner, still warming up.
  Control().Tamas.push_back(
      std::make_unique<TEnemyTamaLaser1>(g.Game(), 300.0f, 300.0f, 0.0f, 16.0f, 8.0f, 60, 30, 110));
  Control().Update();
  ASSERT_EQ(Control().Tamas.size(), 1u);
  EXPECT_EQ(Ship().Graze, 0);
}

TEST_F(EnemyControlStep, EnemiesNeitherMoveNorTakeHitsWhileTheStageIsPaused) {
  TEnemy& enemy = AddEnemy(100, 100, 8, 10);
  enemy.IdouX = 1;
  enemy.MoveTimer = -1;
  g.Game().ScriptRun->ScriptMode = TScriptMode::Paused;
  Shot(0, 100, 100, 1);
  Control().Update();
  EXPECT_EQ(enemy.X, 100);
  EXPECT_EQ(enemy.Hp, 10);
  g.Game().ScriptRun->ScriptMode = TScriptMode::Running;
  Control().Update();
  EXPECT_EQ(enemy.X, 101);
}

TEST_F(EnemyControlStep, AnExplosionLivesFiftyFrames) {
  Control().Effects.push_back(std::make_unique<TEnemyExplosion>(g.Game(), 10.0f, 10.0f, 0.0f));
  for (int i = 0; i < 50; ++i) Control().Update();
  ASSERT_EQ(Control().Effects.size(), 1u);
  EXPECT_EQ(Control().Effects[0]->Frame, 16);
  Control().Update();
  EXPECT_TRUE(Control().Effects.empty());
}

TEST_F(EnemyControlStep, ClearingKillsAllButBossesOrEverything) {
  AddEnemy(100, 100, 8, 10);
  Control().Enemies.push_back(MakeEnemy<TBoss>(g.Game(), Empty));
  Control().KillAllButBoss();
  EXPECT_TRUE(Control().Enemies[0]->Dead);
  EXPECT_FALSE(Control().Enemies[1]->Dead);
  Control().KillAllEnemies();
  EXPECT_EQ(Control().Enemies[1]->Hp, -1);
  AddBullet(50, 50, 15);
  Control().ClearTamas();
  EXPECT_TRUE(Control().Tamas.empty());
}

TEST_F(EnemyStage, ABulletFiredThisFrameMovesAndIsTestedThisFrame) {
  Load("E", EnemyDefinition("E", "    X := 200;\n    Y := 390;\n", "  if count = 1 then BU01(10, 90, 15);\n"),
       "  if time = 1 then CreateEnemy(E);");
  g.RunTo(1);
  EXPECT_EQ(Ship().Graze, 1);
  EXPECT_TRUE(Control().Tamas.empty());  // it reached the ship and hit
}

TEST_F(EnemyStage, APausedEnemyIsStillDrawnHaloFirst) {
  g.Dir.Write("data/information.ini", "[Screen]\nFullScreen=0\n");  // pictures load only with it
  const std::string picture = test::MakeBmp(test::PictureOf(4, 2, 24, [](int, int) { return 0x123456u; }));
  g.Dir.Write("data/Graphic/Enemy/small/0.bmp", picture);
  g.Dir.Write("data/Graphic/Effect/10.bmp", picture);
  Load("E", EnemyDefinition("E", "    X := 100;\n    Y := 50;\n", ""), "  if time = 1 then CreateEnemy(E);");
  g.RunTo(1);
  g.Game().ScriptRun->ScriptMode = TScriptMode::Paused;
  const TVZRenderingQueue& queue = g.Game().BackGround->Scene().ScreenQueue();
  const size_t before = queue.SpriteCount();
  Control().Update();
  ASSERT_EQ(queue.SpriteCount(), before + 2);
  const TSpriteRecord& halo = queue.Sprite(before);
  const TSpriteRecord& body = queue.Sprite(before + 1);
  EXPECT_EQ(halo.BlendMode, 1);
  EXPECT_EQ(halo.Texture, g.Game().TextureList->Get(TPictureTable::Effect, 10));
  EXPECT_EQ(body.BlendMode, 2);
  EXPECT_EQ(body.Texture, g.Game().TextureList->Get(TPictureTable::SmallEnemy, 0));
  EXPECT_EQ(body.X, 130);  // the playfield origin (30, 15) added
  EXPECT_EQ(body.Y, 65);
  EXPECT_EQ(Enemy(0).Count, 1);
  EXPECT_EQ(Enemy(0).HaloAngle, 2);  // one degree a drawn frame
}

// End to end: the run dump shows the enemy, its bullets of several kinds,
// a laser with its segments, and after CLEANENEMY its explosion and items.
TEST(EnemyControlEndToEnd, TheDumpListsEveryObjectOfTheField) {
  test::TempDir root;
  std::filesystem::copy(std::filesystem::path(VUZED_TEST_DATA) / "enemy" / "field", root.Path(),
                        std::filesystem::copy_options::recursive);
  auto run = [&](int frames) {
    auto r = test::RunTool({"run", "--root", root.Path().string(), "--frames", std::to_string(frames), "--dump"});
    EXPECT_EQ(r.Status, 0) << r.Err;
    return r.FieldLines();
  };
  auto lines = run(3);
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[1], "{\"kind\":\"enemy\",\"class\":\"TEnemy\",\"x\":100,\"y\":50,\"hp\":20,\"count\":2}");
  EXPECT_EQ(lines[2], "{\"kind\":\"bullet\",\"class\":\"TEnemyBullet1\",\"x\":100,\"y\":54,\"angle\":90,\"speed\":2,"
                      "\"atari\":4,\"picture\":0,\"count\":2}");
  EXPECT_EQ(lines[3].rfind("{\"kind\":\"bullet\",\"class\":\"TEnemyTamaGo2\",\"x\":100,\"y\":50,", 0), 0u) << lines[3];
  EXPECT_EQ(lines[4].rfind("{\"kind\":\"bullet\",\"class\":\"TEnemyTamaLaser1\",", 0), 0u) << lines[4];
  EXPECT_NE(lines[4].find(",\"segments\":135}"), std::string::npos) << lines[4];
  EXPECT_EQ(lines[5].rfind("{\"kind\":\"bullet\",\"class\":\"TEnemyTamaScript\",\"x\":7,\"y\":8,", 0), 0u) << lines[5];
  lines = run(5);
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[1].rfind("{\"kind\":\"bullet\"", 0), 0u);
  EXPECT_EQ(lines[5].rfind("{\"kind\":\"item\",\"class\":\"TPowerItem\",", 0), 0u) << lines[5];
  EXPECT_EQ(lines[6].rfind("{\"kind\":\"item\",\"class\":\"TScoreItem\",", 0), 0u) << lines[6];
  EXPECT_EQ(lines[7], "{\"kind\":\"effect\",\"class\":\"TEnemyExplosion\",\"x\":100,\"y\":50}");
}

}  // namespace
}  // namespace vuzed
