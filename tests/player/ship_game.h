#pragma once
// A game on headless backends with the ship in play, as the title starts one:
// ResetPlayer, three lives, the game scene. No stage script runs, so nothing
// but the test moves the ship's world.

#include "player/player_control.h"
#include "game/game_context.h"
#include "support/game_fixture.h"

namespace vuzed::test {

inline TPlayerControl& StartShip(GameFixture& g, const std::string& keys) {
  g.Keys(keys);
  g.Start();
  TGameContext& c = g.Game();
  c.ChangeScene(TScene::Game);
  c.PlayerControl->ResetPlayer();
  c.PlayerControl->Ship.Lives = 3;
  return *c.PlayerControl;
}

}  // namespace vuzed::test
