// The ship: stick, banking, bounds, hits, death and respawn, bombs.

#include "player/player.h"

#include <gtest/gtest.h>

#include "enemy/enemy_control.h"
#include "player/ship_game.h"
#include "stage/script_run.h"
#include "state/state.h"
#include "support/bmp_writer.h"

namespace vuzed {
namespace {

using test::GameFixture;
using test::StartShip;

TEST(PlayerMove, BankingShowsTheSecondPictureAfterTenFramesAndLevelsOnRelease) {
  GameFixture g;
  TPlayerControl& pc = StartShip(g, "1-11 right\n13-14 left\n");
  g.RunTo(10);
  EXPECT_EQ(pc.Ship.PictureID, 2);
  g.RunTo(11);
  EXPECT_EQ(pc.Ship.PictureID, 3);
  EXPECT_FLOAT_EQ(pc.Ship.X, 244);
  g.RunTo(12);
  EXPECT_EQ(pc.Ship.PictureID, 1);
  EXPECT_EQ(pc.Ship.BankCounter, 0);
  g.RunTo(14);
  EXPECT_EQ(pc.Ship.PictureID, 4);
}

TEST(PlayerMove, DiagonalsDivideBy1414AndSlowHalves) {
  const float diagonal = float(4 / 1.414);
  struct Case {
    const char* Keys;
    float Dx, Dy;  // per frame
  };
  // The keyboard, the pad's stick, and slow by Shift or by the slow button (D).
  for (const Case& k : {Case{"1-5 up left\n", -diagonal, -diagonal}, Case{"1-5 stick:-1,-1\n", -diagonal, -diagonal},
                        Case{"1-5 up left shift\n", -diagonal / 2, -diagonal / 2},
                        Case{"1-5 down right d\n", diagonal / 2, diagonal / 2}, Case{"1-5 up shift\n", 0, -2}}) {
    GameFixture g;
    TPlayerControl& pc = StartShip(g, k.Keys);
    g.RunTo(5);
    float x = 200, y = 400;
    for (int i = 0; i < 5; ++i) {
      y += k.Dy;
      x += k.Dx;
    }
    EXPECT_FLOAT_EQ(pc.Ship.Y, y) << k.Keys;
    EXPECT_FLOAT_EQ(pc.Ship.X, x) << k.Keys;
  }
}

TEST(PlayerMove, VerticalLayoutConfinesTheShipAndSlantDoesNot) {
  GameFixture g;
  TPlayerControl& pc = StartShip(g, "1-60 right\n61-80 down\n81-280 up left\n");
  g.RunTo(80);
  EXPECT_EQ(pc.Ship.X, 400);
  EXPECT_EQ(pc.Ship.Y, 440);
  g.RunTo(280);
  EXPECT_EQ(pc.Ship.X, 0);
  EXPECT_EQ(pc.Ship.Y, 0);

  GameFixture slant;
  TPlayerControl& free = StartShip(slant, "1-60 right\n61-100 down\n");
  slant.Game().LayoutMode = LayoutSlant;
  slant.RunTo(100);
  EXPECT_EQ(free.Ship.X, 440);
  EXPECT_EQ(free.Ship.Y, 560);
}

TEST(PlayerHit, FourHitPointsSurviveFourHitsDieOnTheFifthAndRespawn) {
  GameFixture g;
  TPlayerControl& pc = StartShip(g, "");
  TGameContext& c = g.Game();
  TPlayer& ship = pc.Ship;
  auto effects = [&] { return c.EnemyControl->Effects.size(); };

  ship.Hit(1);  // the 180 frames after a reset are safe
  EXPECT_EQ(ship.Hp, 4);
  g.RunTo(180);
  ASSERT_EQ(ship.InvulnerableTimer, 0);
  for (int hp = 3; hp >= 1; --hp) {
    size_t before = effects();
    ship.Hit(1);
    EXPECT_EQ(ship.Hp, hp);
    EXPECT_EQ(effects(), before + 3);
  }
  size_t before = effects();
  ship.Hit(1);  // 0 left: nothing shows, the ship lives on
  EXPECT_EQ(effects(), before);
  EXPECT_TRUE(ship.Alive);
  ship.Hit(1);
  EXPECT_FALSE(ship.Alive);
  EXPECT_EQ(ship.DeathTimer, 180);

  // An explosion every five frames of the death sequence.
  before = effects();
  g.RunTo(185);
  EXPECT_EQ(effects(), before + 1);
  g.RunTo(359);
  EXPECT_FALSE(ship.Alive);
  EXPECT_EQ(ship.Lives, 3);
  g.RunTo(360);
  EXPECT_TRUE(ship.Alive);
  EXPECT_EQ(ship.Lives, 2);
  EXPECT_EQ(ship.Hp, 4);
  EXPECT_EQ(ship.InvulnerableTimer, 179);
  ship.Hit(5);
  EXPECT_EQ(ship.Hp, 4);
  // The test aid ignores hits whatever the timer says.
  ship.InvulnerableTimer = 0;
  pc.Invincible = true;
  ship.Hit(5);
  EXPECT_EQ(ship.Hp, 4);
}

TEST(PlayerHit, TheLastLifeEndsTheGame) {
  GameFixture g;
  TPlayerControl& pc = StartShip(g, "");
  TGameContext& c = g.Game();
  c.ScriptRun->Active = true;
  pc.Ship.Lives = 1;
  pc.Ship.InvulnerableTimer = 0;
  pc.Ship.Hit(5);
  g.RunTo(179);
  EXPECT_TRUE(pc.Ship.InPlay);
  EXPECT_EQ(c.State->GameOver, 0);
  g.RunTo(180);
  EXPECT_FALSE(pc.Ship.InPlay);
  EXPECT_EQ(c.State->GameOver, 1);
  EXPECT_FALSE(c.ScriptRun->Active);
  EXPECT_EQ(pc.Ship.Lives, 1);
}

TEST(PlayerBomb, BombsHalveARunningSpellBonusTiesToEven) {
  GameFixture g;
  TPlayerControl& pc = StartShip(g, "2 x\n4 x\n");
  TGameContext& c = g.Game();
  // In the SLANT layout the game state's spell-card step (the bonus falling
  // by 7 a frame) stands still, so only the bombs change the bonus.
  c.LayoutMode = LayoutSlant;
  c.State->BossActive = 1;
  c.State->SpellBonus = 5;
  g.RunTo(2);
  EXPECT_EQ(c.State->SpellBonus, 2);
  EXPECT_EQ(pc.Ship.Bombs, 2);
  EXPECT_EQ(pc.Ship.BombTimer, 180);
  pc.Ship.BombTimer = 0;
  c.State->SpellBonus = 7;
  g.RunTo(4);
  EXPECT_EQ(c.State->SpellBonus, 4);
  EXPECT_EQ(pc.Ship.Bombs, 1);

  // A survived hit during a spell card costs half as well, and the bonus.
  pc.Ship.InvulnerableTimer = 0;
  c.State->SpellBonusValid = 1;
  pc.Ship.Hit(1);
  EXPECT_EQ(c.State->SpellBonus, 2);
  EXPECT_EQ(c.State->SpellBonusValid, 0);
}

TEST(PlayerBomb, NoBombWhileOneRunsOrWithoutBombs) {
  GameFixture g;
  TPlayerControl& pc = StartShip(g, "1-3 x\n5 x\n");
  g.RunTo(3);
  EXPECT_EQ(pc.Ship.Bombs, 2);
  EXPECT_EQ(pc.Ship.BombTimer, 178);
  pc.Ship.BombTimer = 0;
  pc.Ship.Bombs = 0;
  g.RunTo(5);
  EXPECT_EQ(pc.Ship.BombTimer, 0);
}

TEST(PlayerAttack, DialogueStopsFiringAndBombingButNotMoving) {
  GameFixture g;
  TPlayerControl& pc = StartShip(g, "1-10 z x right\n");
  g.Game().State->DialogueFrame = 0;
  g.RunTo(10);
  EXPECT_FLOAT_EQ(pc.Ship.X, 240);
  EXPECT_EQ(pc.Ship.Bombs, 3);
  EXPECT_EQ(pc.ShotIndex, 0);
  for (auto& shot : pc.Shots) EXPECT_FALSE(shot->Active);
}

// What one frame drew: shots (faint white), ship sprites (8 wide) and hit
// markers (2 wide), with the centre of the last ship and marker.
struct Drawn {
  int Shots = 0, Ships = 0, Markers = 0;
  float ShipCentre = 0, MarkerCentre = 0;
};
Drawn LastFrame(const GameFixture& g) {
  Drawn d;
  for (const auto& call : g.Render.Frames.back()) {
    const float width = call.Vertices[1].X - call.Vertices[0].X;
    const float centre = (call.Vertices[0].X + call.Vertices[3].X) / 2;
    if (call.Vertices[0].Diffuse >> 24 == 0x55) ++d.Shots;
    if (width == 8) ++d.Ships, d.ShipCentre = centre;
    if (width == 2) ++d.Markers, d.MarkerCentre = centre;
  }
  return d;
}

TEST(PlayerDraw, ShotsShipAndTheHitMarkerOnlyWhileSlowAndShown) {
  GameFixture g;
  auto picture = [](int w, int h) { return test::MakeBmp(test::PictureOf(w, h, 24, [](int, int) { return 0x808080u; })); };
  g.Dir.Write("data/information.ini", "[Screen]\nFullScreen=0\n");  // pictures load only with it
  g.Dir.Write("data/Graphic/Player/1.bmp", picture(8, 4));
  g.Dir.Write("data/Graphic/Player/11.bmp", picture(2, 2));
  g.Dir.Write("data/Graphic/Bullet/0.bmp", picture(4, 4));
  TPlayerControl& pc = StartShip(g, "1 z shift\n2 right\n3-4 shift\n");
  g.RunTo(1);
  Drawn d = LastFrame(g);
  EXPECT_EQ(d.Shots, 9);
  EXPECT_EQ(d.Ships, 1);
  EXPECT_EQ(d.Markers, 1);
  EXPECT_EQ(d.MarkerCentre, d.ShipCentre);
  g.RunTo(2);
  EXPECT_EQ(LastFrame(g).Markers, 0);
  g.RunTo(3);
  EXPECT_EQ(LastFrame(g).Markers, 1);
  // The last 29 frames of a death sequence show neither ship nor marker.
  pc.Ship.Alive = false;
  pc.Ship.DeathTimer = 30;
  g.RunTo(4);
  d = LastFrame(g);
  EXPECT_EQ(d.Ships, 0);
  EXPECT_EQ(d.Markers, 0);
}

}  // namespace
}  // namespace vuzed
