// Bosses: the header with its GOTO rewrite, damage and SPELLEND, the spell
// and field commands, the death blast, and the game state's references.

#include "enemy/boss.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "back/background.h"
#include "back/texture_list.h"
#include "enemy/enemy_stage_fixture.h"
#include "engine/graphics/rendering_queue.h"
#include "engine/graphics/scene.h"
#include "engine/graphics/texture.h"
#include "objects/second_string_list2.h"
#include "state/state.h"
#include "support/bmp_writer.h"
#include "support/test_dir.h"
#include "support/tool_runner.h"

namespace vuzed {
namespace {

using test::EnemyDefinition;

// A stage loaded with the definitions; bosses are made by hand from them,
// so no game frame (and no spell-card step of the game state) runs between
// a command and what it sets.
struct BossTest : test::EnemyStage {
  const TSecondStringList2& Definition(const char* name) {
    return *g.Game().ScriptRun->Script.Procedures.Find(name);
  }
  TBoss& Add(const char* name) {
    auto boss = MakeEnemy<TBoss>(g.Game(), Definition(name));
    EXPECT_TRUE(boss);
    Control().Enemies.push_back(std::move(boss));
    return static_cast<TBoss&>(*Control().Enemies.back());
  }
  // Each line at a place of its own, so every report counts.
  int32_t Run(TBoss& boss, const std::string& text) { return boss.ExecLine(TScriptLine{text, {nullptr, ++Place}}); }
  int32_t Place = 0;
  TState& State() { return *g.Game().State; }
};

TEST_F(BossTest, TheHeaderSetsItsFieldsRunsItsOtherLinesAndBecomesAJumpPastItself) {
  Load("B", EnemyDefinition("B", "    X := 70;\n    Y := 80;\n    HP := 40;\n    POWERITEM := 5;\n"
                                 "    SetSpellMaxScore(2500);\n    ATARI := 12;\n",
                            "  if count >= 1 then SetX(1);\n"),
       "");
  TBoss& boss = Add("B");
  EXPECT_EQ(boss.X, 70);
  EXPECT_EQ(boss.Y, 80);
  EXPECT_EQ(boss.Hp, 40);
  EXPECT_EQ(boss.MaxHp, 0);       // only SETHP sets the gauge
  EXPECT_EQ(boss.Atari, 12);
  EXPECT_EQ(boss.PowerItems, 0);  // a boss reads no item counts
  EXPECT_EQ(State().SpellBonus, 2500);
  EXPECT_TRUE(boss.Invulnerable);
  EXPECT_EQ(State().Boss, &boss);
  EXPECT_EQ(Reports(), 0u);  // boss commands are no unknown procedures

  // "IF OPENING(2)(10)" is now a jump to line 10, past the block.
  const TLineList& lines = **Definition("B").Lines;
  EXPECT_EQ(lines[1].Text, "GOTO(2)(10)");
  EXPECT_EQ(lines[10].Text, "IF COUNT>=1(11)(12)");
  boss.Action();
  EXPECT_EQ(boss.X, 1);
  EXPECT_EQ(State().SpellBonus, 2500);
}

TEST_F(BossTest, DamageIsIgnoredWhileInvulnerableButAlwaysScoresAndNeverKills) {
  Load("B", EnemyDefinition("B", "    HP := 10;\n", "  if spellend = 1 then SetX(5);\n"), "");
  TBoss& boss = Add("B");
  float spellEnd = -1;
  ASSERT_TRUE(boss.GetValue("SPELLEND", spellEnd));
  EXPECT_EQ(spellEnd, 0);
  const int32_t score = State().Score;
  boss.Damage(4);
  EXPECT_EQ(boss.Hp, 10);
  EXPECT_EQ(State().Score, score + 1);
  boss.Invulnerable = 0;
  boss.Damage(12);
  EXPECT_EQ(boss.Hp, -2);
  EXPECT_EQ(State().Score, score + 2);
  EXPECT_FALSE(boss.Dead);
  boss.Invulnerable = 1;
  ASSERT_TRUE(boss.GetValue("SPELLEND", spellEnd));
  EXPECT_EQ(spellEnd, 1);  // at 0 hit points, invulnerable or not
  boss.Action();
  EXPECT_EQ(boss.X, 5);  // the script sees it too

  boss.Hp = 5;
  State().SpellTimeLeft = -1;  // the card's time just ran out: not yet the end
  ASSERT_TRUE(boss.GetValue("SPELLEND", spellEnd));
  EXPECT_EQ(spellEnd, 0);
  State().SpellTimeLeft = -2;
  ASSERT_TRUE(boss.GetValue("SPELLEND", spellEnd));
  EXPECT_EQ(spellEnd, 1);
}

TEST_F(BossTest, SpellCommandsFillTheGameState) {
  Load("B,TALK", EnemyDefinition("B", "", "") + "procedure TALK;\nbegin\n  Wait(1);\nend;\n", "");
  TBoss& boss = Add("B");
  Run(boss, "SETSPELLNAME('FIRE');");
  EXPECT_EQ(State().SpellFrame, 0);
  EXPECT_EQ(State().BossActive, 1);
  EXPECT_EQ(State().SpellBonusValid, 1);
  const TMXTexture* name = State().SpellNameTexture.get();
  ASSERT_NE(name, nullptr);
  EXPECT_GT(name->Width(), 0);
  State().SpellFrame = 50;
  Run(boss, "SETSPELLNAME('');");  // keeps the name, starts the banner again
  EXPECT_EQ(State().SpellNameTexture.get(), name);
  EXPECT_EQ(State().SpellFrame, 0);

  Run(boss, "SETSPELLTIME(20+10);");
  EXPECT_EQ(State().SpellTimeLeft, 1800);
  Run(boss, "SETSPELLMAXSCORE(10000);");
  EXPECT_EQ(State().SpellBonus, 10000);
  Run(boss, "SETHP(2*50);");
  EXPECT_EQ(boss.Hp, 100);
  EXPECT_EQ(boss.MaxHp, 100);
  Run(boss, "SETSPELLPICTURE(7);");
  EXPECT_EQ(State().SpellPicture, 7);
  Run(boss, "SETSPELLPICTURE(3+4);");  // a plain number only: reported, skipped
  EXPECT_EQ(Reports(), 1u);

  Run(boss, "SPELLADJUSTMENT;");
  EXPECT_EQ(State().BossActive, 0);
  EXPECT_EQ(State().SpellResultFrame, 180);
  Run(boss, "STAGEADJUSTMENT;");
  EXPECT_EQ(State().StageClear, 1);
  EXPECT_EQ(State().StageClearCount, 300);

  Run(boss, "NOVELMODE(NOSUCHSCENE);");
  EXPECT_EQ(g.Game().ScriptRun->ScriptMode, TScriptMode::Running);
  State().DialogueFrame = 9;
  Run(boss, "NOVELMODE(TALK);");
  EXPECT_EQ(g.Game().ScriptRun->ScriptMode, TScriptMode::Novel);
  EXPECT_EQ(g.Game().ScriptRun->DialogueLines, *Definition("TALK").Lines);
  EXPECT_EQ(g.Game().ScriptRun->DialogueLine, 0);
  EXPECT_EQ(State().DialogueFrame, 0);
  EXPECT_EQ(Reports(), 2u);  // the number that is no number, and the talk that does not exist
}

TEST_F(BossTest, ClearingAllButBossesNeverClearsTheBossesToo) {
  Load("B,E", EnemyDefinition("B", "", "") + EnemyDefinition("E", "", ""), "");
  TBoss& boss = Add("B");
  TBoss& other = Add("B");
  Control().Enemies.push_back(MakeEnemy<TEnemy>(g.Game(), Definition("E")));
  Run(boss, "CLEANENEMYWITHOUTBOSS;");
  EXPECT_FALSE(boss.Dead);
  EXPECT_FALSE(other.Dead);
  EXPECT_TRUE(Enemy(2).Dead);
  Run(boss, "CLEANENEMY;");
  EXPECT_TRUE(other.Dead);
  EXPECT_EQ(other.Hp, -1);
}

TEST_F(BossTest, DrawsItsHaloThenItsPictureFromTheBossTable) {
  g.Dir.Write("data/information.ini", "[Screen]\nFullScreen=0\n");  // pictures load only with it
  const std::string picture = test::MakeBmp(test::PictureOf(8, 4, 24, [](int, int) { return 0x123456u; }));
  g.Dir.Write("data/Graphic/Effect/10.bmp", picture);
  g.Dir.Write("data/Graphic/Enemy/small/2.bmp", picture);
  g.Dir.Write("data/Graphic/Enemy/boss/2.bmp", picture);
  Load("B", EnemyDefinition("B", "    X := 100;\n    Y := 50;\n    PICTURE := 2;\n", ""), "");
  TBoss& boss = Add("B");
  const TVZRenderingQueue& queue = g.Game().BackGround->Scene().ScreenQueue();
  const size_t before = queue.SpriteCount();
  boss.Draw();
  ASSERT_EQ(queue.SpriteCount(), before + 2);
  EXPECT_EQ(queue.Sprite(before).Texture, g.Game().TextureList->Get(TPictureTable::Effect, 10));
  EXPECT_EQ(queue.Sprite(before).BlendMode, 1);
  EXPECT_EQ(queue.Sprite(before + 1).Texture, g.Game().TextureList->Get(TPictureTable::Boss, 2));
  EXPECT_EQ(queue.Sprite(before + 1).BlendMode, 2);
  EXPECT_EQ(queue.Sprite(before + 1).X, 130);
}

// The death blast: 181 steps of shaking with an explosion every 5 frames;
// the step that takes the timer below 0 kills the boss and puts the
// playfield back at (30, 15). The script does not run meanwhile.
TEST_F(BossTest, TheBlastShakesTheFieldThenTheBossDiesAndTheOriginReturns) {
  Load("B", EnemyDefinition("B", "    HP := 10;\n", "  if count = 1 then Blast;\n"),
       "  if time = 1 then CreateBoss(B);");
  g.RunTo(1);
  ASSERT_EQ(Control().Enemies.size(), 1u);
  TBoss& boss = static_cast<TBoss&>(Enemy(0));
  EXPECT_TRUE(boss.Blasting);
  std::set<int32_t> shakes;
  for (int pass = 2; pass <= 181; ++pass) {
    g.RunTo(pass);
    EXPECT_GE(g.Game().FieldOriginX, 20);
    EXPECT_LT(g.Game().FieldOriginX, 40);
    EXPECT_GE(g.Game().FieldOriginY, 5);
    EXPECT_LT(g.Game().FieldOriginY, 25);
    shakes.insert(g.Game().FieldOriginX);
  }
  EXPECT_GT(shakes.size(), 5u);
  ASSERT_EQ(Control().Enemies.size(), 1u);
  EXPECT_EQ(boss.BlastTimer, 0);
  EXPECT_EQ(boss.Count, 1);
  g.RunTo(182);
  EXPECT_TRUE(Control().Enemies.empty());
  EXPECT_EQ(g.Game().FieldOriginX, 30);
  EXPECT_EQ(g.Game().FieldOriginY, 15);
  EXPECT_TRUE(Control().Items.empty());  // died with hit points left: no drops
}

TEST_F(BossTest, AFreedBossLeavesNoReferenceInTheGameState) {
  Load("B", EnemyDefinition("B", "", ""), "");
  Add("B");
  TBoss& second = Add("B");  // takes the gauge over
  Control().Enemies.erase(Control().Enemies.begin());
  EXPECT_EQ(State().Boss, &second);
  Control().Enemies.clear();
  EXPECT_EQ(State().Boss, nullptr);

  // Also when the enemy control removes a killed boss in a frame.
  TBoss& third = Add("B");
  third.Dead = true;
  Control().Update();
  EXPECT_TRUE(Control().Enemies.empty());
  EXPECT_EQ(State().Boss, nullptr);
}

TEST_F(BossTest, BackGraphicCommandsSetTheSpellLayersOnlyForLoadedPictures) {
  g.Dir.Write("data/information.ini", "[Screen]\nFullScreen=0\n");  // pictures load only with it
  const auto grey = [](int, int) { return 0x102030u; };
  g.Dir.Write("data/Graphic/Back/3.bmp", test::MakeBmp(test::PictureOf(64, 32, 24, grey)));
  Load("B", EnemyDefinition("B", "    SetBackGraphic2(1+2, 14, 200);\n", ""), "");
  TBoss& boss = Add("B");
  TMostBackGroundPicture& layers = g.Game().BackGround->FarPicture();
  EXPECT_EQ(layers.Layer(0).Picture, -1);
  EXPECT_EQ(layers.Layer(1).Picture, 3);
  EXPECT_EQ(layers.Layer(1).Pattern, 14);
  EXPECT_EQ(layers.Layer(1).Alpha, 200);
  Run(boss, "SETBACKGRAPHIC3(9,1,255);");  // not loaded: the layer stays as it is
  EXPECT_EQ(layers.Layer(2).Picture, -1);
  EXPECT_EQ(layers.Layer(2).FadeCounter, 0);
  Run(boss, "SETBACKGRAPHIC1(3,1,255);");
  EXPECT_EQ(layers.Layer(0).Picture, 3);
  Run(boss, "FREEBACKGRAPHIC;");
  for (int layer = 0; layer < 3; ++layer) EXPECT_EQ(layers.Layer(layer).Picture, -1) << layer;
  EXPECT_EQ(layers.Layer(1).PreviousPicture, 3);
}

// End to end: the header's own SETHP after HP:=, the familiar at the boss's
// position, the script frozen while the blast runs, an explosion every 5
// frames (10 alive after 180 blast frames) and the boss gone after 181.
TEST(BossEndToEnd, TheDumpFollowsABossFromItsHeaderToTheEndOfItsBlast) {
  test::TempDir root;
  std::filesystem::copy(std::filesystem::path(VUZED_TEST_DATA) / "boss" / "field", root.Path(),
                        std::filesystem::copy_options::recursive);
  auto run = [&](int frames) {
    auto r = test::RunTool({"run", "--root", root.Path().string(), "--frames", std::to_string(frames), "--dump"});
    EXPECT_EQ(r.Status, 0) << r.Err;
    return r.FieldLines();
  };
  auto lines = run(182);
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(lines[1], "{\"kind\":\"enemy\",\"class\":\"TBoss\",\"x\":200,\"y\":100,\"hp\":300,\"count\":2}");
  EXPECT_EQ(lines[2], "{\"kind\":\"enemy\",\"class\":\"TTukaima\",\"x\":200,\"y\":100,\"hp\":0,\"count\":181}");
  EXPECT_NE(lines[13].find("\"enemies\":2,\"bullets\":0,\"items\":0,\"effects\":10}"), std::string::npos);
  lines = run(183);
  ASSERT_FALSE(lines.empty());
  EXPECT_NE(lines.back().find("\"enemies\":1,\"bullets\":0,\"items\":0,\"effects\":10}"), std::string::npos);
}

}  // namespace
}  // namespace vuzed
