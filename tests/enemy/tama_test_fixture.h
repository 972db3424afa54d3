#pragma once
// A started game with a few bullet pictures, for the bullet and laser tests:
// 15 (16 x 8), 45 (8 x 8) and 60 (12 x 4). The ship stands at (200, 300).

#include <gtest/gtest.h>

#include "back/background.h"
#include "engine/graphics/rendering_queue.h"
#include "engine/graphics/scene.h"
#include "player/player_control.h"
#include "stage/script_run.h"
#include "game/game_context.h"
#include "support/bmp_writer.h"
#include "support/game_fixture.h"

namespace vuzed::test {

struct TamaFixture : ::testing::Test {
  void SetUp() override {
    g.Dir.Write("data/information.ini", "[Screen]\nFullScreen=0\n");
    Picture(15, 16, 8);
    Picture(45, 8, 8);
    Picture(60, 12, 4);
    g.Start();
    Ship().X = 200;
    Ship().Y = 300;
  }
  void Picture(int n, int w, int h) {
    g.Dir.Write("data/Graphic/Bullet/" + std::to_string(n) + ".bmp",
                MakeBmp(PictureOf(w, h, 24, [](int, int) { return 0x808080u; })));
  }
  TGameContext& Game() { return g.Game(); }
  TPlayer& Ship() { return g.Game().PlayerControl->Ship; }
  const TVZRenderingQueue& Screen() { return g.Game().BackGround->Scene().ScreenQueue(); }
  size_t Reports() { return g.Game().ScriptRun->Errors.Count(); }

  GameFixture g;
};

}  // namespace vuzed::test
