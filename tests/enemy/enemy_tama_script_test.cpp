#include "enemy/enemy_tama_script.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "enemy/enemy_laser.h"
#include "enemy/enemy_stage_fixture.h"
#include "enemy/tama_test_fixture.h"
#include "script/compiler.h"

namespace vuzed {
namespace {

// Bullet definitions compiled into the stage director's table, as a stage
// file would give them.
constexpr const char* kScript =
    "type\n"
    "  procedure STILL; procedure FLY; procedure RAW; procedure SHARED; procedure CALLER;\n"
    "  procedure SETP(a, b: single); procedure DEEP; procedure BROKEN;\n"
    "end;\n"
    "procedure STILL;\nbegin\nend;\n"
    "procedure FLY;\nbegin\n"
    "  if count = 1 then SetSpeed(2);\n"
    "  if count = 3 then NoMoreScript;\n"
    "end;\n"
    "procedure RAW;\nbegin\n"
    "  if count = 1 then SetAngle(90);\n"
    "  if count = 1 then SetIdouX(7);\n"
    "  if count = 2 then SetSpeed(3);\n"
    "end;\n"
    "procedure SHARED;\nvar\n  n : single;\n  i : single;\n  b2 : single;\nbegin\n"
    "  for i := 0 to 3 do begin\n    n := n + 1;\n  end;\n"
    "  SetX(B1);\n  SetY(B2);\n  SetPictureID(B3);\n"
    "end;\n"
    "procedure SETP(a, b: single);\nbegin\n  SetX(a + b);\n  exit;\n  SetY(99);\nend;\n"
    "procedure CALLER;\nbegin\n  SetP(1, 2, 3);\n  SetY(GetSelfY + 1);\nend;\n"
    "procedure DEEP;\nbegin\n  SetX(GetSelfX + 1);\n  Deep;\nend;\n"
    "procedure BROKEN;\nbegin\n  SetX(NOSUCH(1));\n  Nowhere;\nend;\n";

struct TamaScriptTest : test::TamaFixture {
  void SetUp() override {
    TamaFixture::SetUp();
    CompileStageText(kScript, "b.txt", nullptr, Game().ScriptRun->Script);
  }
  TEnemyTamaScript Bullet(const char* name, float b1 = 0, float b2 = 0, float b3 = 0) {
    const TSecondStringList2* definition = Game().ScriptRun->Script.Procedures.Find(name);
    EXPECT_NE(definition, nullptr) << name;
    return TEnemyTamaScript(Game(), *definition, b1, b2, b3);
  }
  // A frame as the bullet list gives it.
  static void Frame(TEnemyTama& b) {
    b.Action();
    b.Move();
  }
  float Var(const char* definition, const char* name) {
    return (*Game().ScriptRun->Script.Procedures.Find(definition)->Vars)->Find(name)->Get();
  }
};

TEST_F(TamaScriptTest, AnUnplacedBulletSitsAtTheOriginAndStaysOnThePlayfield) {
  TEnemyTamaScript b = Bullet("STILL");
  EXPECT_FALSE(b.Rotate);
  EXPECT_EQ(b.Atari, 0);
  for (int i = 0; i < 3; ++i) Frame(b);
  EXPECT_EQ(b.Count, 3);
  EXPECT_EQ(b.TamaX, 0);
  EXPECT_EQ(b.TamaY, 0);
  EXPECT_FALSE(b.IsOut());
}

TEST_F(TamaScriptTest, NoMoreScriptKeepsTheMovementAndStopsTheCount) {
  TEnemyTamaScript b = Bullet("FLY");
  for (int i = 0; i < 5; ++i) Frame(b);
  EXPECT_TRUE(b.NoMoreScript);
  EXPECT_EQ(b.Count, 3);
  EXPECT_FLOAT_EQ(b.TamaX, 10);
}

TEST_F(TamaScriptTest, SetSpeedRecomputesTheMovementAfterRawMovement) {
  TEnemyTamaScript b = Bullet("RAW");
  b.Action();
  EXPECT_FLOAT_EQ(b.TamaIdouX, 7);
  EXPECT_FLOAT_EQ(b.Angle, 90);
  b.Action();
  EXPECT_NEAR(b.TamaIdouX, 0, 1e-6);
  EXPECT_FLOAT_EQ(b.TamaIdouY, 3);
}

TEST_F(TamaScriptTest, BulletsOfOneDefinitionShareVariablesAndLoopsCount) {
  TEnemyTamaScript first = Bullet("SHARED", 11, 12, 77);
  TEnemyTamaScript second = Bullet("SHARED", 21, 22, 15);
  first.Action();
  EXPECT_FLOAT_EQ(Var("SHARED", "N"), 3);  // the loop from 0 to 3 runs 3 times
  second.Action();
  EXPECT_FLOAT_EQ(Var("SHARED", "N"), 6);
  first.Action();
  EXPECT_FLOAT_EQ(Var("SHARED", "N"), 9);  // loop variables start again every frame

  // B1 is the creation value; B2 is shadowed by the variable of that name.
  EXPECT_FLOAT_EQ(first.TamaX, 11);
  EXPECT_FLOAT_EQ(first.TamaY, 0);
  // A picture number without a picture is kept; it still gives a radius.
  EXPECT_EQ(first.PictureID, 77);
  EXPECT_EQ(first.Atari, 4);
  const size_t before = Screen().SpriteCount();
  first.Draw();
  second.Draw();
  ASSERT_EQ(Screen().SpriteCount(), before + 1);
  EXPECT_FALSE(second.Rotate);  // picture 15 is drawn upright
}

TEST_F(TamaScriptTest, ProceduresRunAsTheBulletAndExitOnlyEndsTheProcedure) {
  TEnemyTamaScript b = Bullet("CALLER");
  b.Action();
  EXPECT_FLOAT_EQ(b.TamaX, 3);  // the third argument is ignored
  EXPECT_FLOAT_EQ(b.TamaY, 1);  // SetY(99) never ran, the caller's next line did
  EXPECT_EQ(b.ProcVars, nullptr);
}

TEST_F(TamaScriptTest, ExitInTheBulletsOwnRunStillRunsItsLastLine) {
  TLineList lines;
  for (const char* text : {"BEGIN;", "EXIT;", "SETX(5);", "SETY(6);"}) lines.push_back({text, {}});
  TVarTable vars;
  const TSecondStringList2 definition(&lines, &vars);
  TEnemyTamaScript b(Game(), definition, 0, 0, 0);
  b.Action();
  EXPECT_EQ(b.TamaX, 0);
  EXPECT_FLOAT_EQ(b.TamaY, 6);
}

TEST_F(TamaScriptTest, RunawayScriptsStopForTheFrameWithOneReport) {
  TLineList lines;
  for (const char* text : {"BEGIN;", "SETX(GETSELFX+1);", "GOTO(L)(1)", "END;"}) lines.push_back({text, {}});
  TVarTable vars;
  const TSecondStringList2 definition(&lines, &vars);
  TEnemyTamaScript loop(Game(), definition, 0, 0, 0);
  const size_t reports = Reports();
  loop.Action();
  EXPECT_FLOAT_EQ(loop.TamaX, float(kLineBudgetPerFrame / 2));
  loop.Action();
  EXPECT_FLOAT_EQ(loop.TamaX, float(kLineBudgetPerFrame));
  EXPECT_EQ(Reports(), reports + 1);

  TEnemyTamaScript deep = Bullet("DEEP");
  deep.Action();
  EXPECT_FLOAT_EQ(deep.TamaX, float(kMaxCallDepth + 1));  // its own run and 256 nested calls
  deep.Action();
  EXPECT_EQ(Reports(), reports + 2);
}

TEST_F(TamaScriptTest, MalformedExpressionsAndUnknownNamesAreReportedAtTheirLine) {
  TEnemyTamaScript b = Bullet("BROKEN");
  b.TamaX = 40;
  testing::internal::CaptureStderr();
  b.Action();
  b.Action();
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(b.TamaX, 0);
  EXPECT_EQ(err,
            "b.txt:50: \"NOSUCH(1)\" is not an expression; it counts as 0\n"
            "b.txt:51: \"NOWHERE\" is no command and no procedure\n");
}

// A whole stage: an enemy creates a scripted bullet and fires a laser; the
// bullet list runs, moves and finally drops them.
struct TamaScriptStage : test::EnemyStage {};

TEST_F(TamaScriptStage, EnemiesCreateScriptedBulletsAndLasersThatTheBulletListRuns) {
  Load("E,SB",
       test::EnemyDefinition("E", "", "  if count = 1 then CreateBullet(SB, 50, 3, 0);\n"
                                      "  if count = 1 then LA01(100, 200, 0, 20, 10, 60, 30, 60);\n") +
           test::EnemyDefinition("SB", "", "  if count = 1 then begin SetX(B1); SetY(100); SetAngle(90); SetSpeed(B2); end;\n"),
       "  if time = 1 then CreateEnemy(E);");
  g.RunTo(3);
  ASSERT_EQ(Control().Tamas.size(), 2u);
  auto* bullet = dynamic_cast<TEnemyTamaScript*>(Control().Tamas[0].get());
  auto* laser = dynamic_cast<TEnemyTamaLaser1*>(Control().Tamas[1].get());
  ASSERT_NE(bullet, nullptr);
  ASSERT_NE(laser, nullptr);
  const float y = bullet->TamaY;
  g.RunTo(13);
  EXPECT_FLOAT_EQ(bullet->TamaX, 50);
  EXPECT_FLOAT_EQ(bullet->TamaY, y + 30);
  EXPECT_EQ(laser->Segments.size(), 135u);
  g.RunTo(200);  // the laser is gone after 130 frames; the bullet left at the bottom
  EXPECT_TRUE(Control().Tamas.empty());
}

}  // namespace
}  // namespace vuzed
