#pragma once
// A game on headless backends with small else pictures, started on a stage
// the way the title starts one, for the game-state tests. Sprites the state
// queues are read back from the screen queue before the frame is rendered.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "back/background.h"
#include "back/texture_list.h"
#include "engine/graphics/scene.h"
#include "player/player_control.h"
#include "stage/script_run.h"
#include "game/game_context.h"
#include "game/play_state.h"
#include "state/state.h"
#include "support/bmp_writer.h"
#include "support/game_fixture.h"

namespace vuzed::test {

// A stage file whose MAIN runs mainBody each frame (VERTICAL layout).
inline std::string StageText(const std::string& mainBody, const std::string& declarations = "",
                             const std::string& procedures = "") {
  return "type\n  procedure OPENING;\n  procedure MAIN;\n" + declarations +
         "end;\nprocedure OPENING;\nbegin\n  SetShotMode(VERTICAL);\nend;\n" + procedures +
         "procedure MAIN;\nbegin\n" + mainBody + "\nend;\n";
}

// A boss as the spell-card overlay sees it.
struct GaugeBoss : TBossGauge {
  int32_t GaugeHp() const override { return Hp; }
  int32_t GaugeMaxHp() const override { return MaxHp; }
  void SetBusy(bool busy) override { Busy = busy ? 1 : 0; }
  int32_t Hp = 250, MaxHp = 500;
  uint8_t Busy = 0;
};

struct StateGame : ::testing::Test {
  // Digits are 10 x 12 pixels, the boss gauge 100 x 4, other pictures 16 x 8.
  void WritePictures() {
    g.Dir.Write("data/information.ini", "[Screen]\nFullScreen=0\n");
    for (int n : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 16, 17, 18, 25, 29, 30, 31, 32, 39, 40, 41, 42, 43, 44, 45, 46,
                  47, 49, 50, 52, 53, 60, 61}) {
      BmpPicture p;
      p.Width = n <= 9 ? 10 : n == 30 ? 100 : 16;
      p.Height = n <= 9 ? 12 : n == 30 ? 4 : 8;
      p.Pixels.assign(size_t(p.Width * p.Height), 0x808080);
      g.Dir.Write("data/Graphic/Else/" + std::to_string(n) + ".bmp", MakeBmp(p));
    }
  }
  // Starts stage `type` from the stage file written for it.
  void Begin(int32_t type, const std::string& stage = StageText("")) {
    WritePictures();
    g.Dir.Write("data/Script/Stage" + std::to_string(type) + ".txt", stage);
    g.Start();
    g.Game().ChangeScene(TScene::Game);
    g.Game().PlayerControl->ResetPlayer();
    g.Game().PlayerControl->Ship.Lives = 3;
    g.Form->GameStart(type);
  }

  TState& State() { return *g.Game().State; }
  TPlayer& Ship() { return g.Game().PlayerControl->Ship; }
  const TMXTexture* Else(int n) { return g.Game().TextureList->Get(TPictureTable::Else, n); }
  const TVZRenderingQueue& Queue() { return g.Game().BackGround->Scene().ScreenQueue(); }
  // The queued screen sprites drawing texture (in queue order).
  std::vector<TSpriteRecord> SpritesOf(const TMXTexture* texture) {
    std::vector<TSpriteRecord> found;
    for (size_t i = 0; i < Queue().SpriteCount(); ++i)
      if (Queue().Sprite(i).Texture == texture) found.push_back(Queue().Sprite(i));
    return found;
  }
  // One status step on its own; the queue then holds its sprites only.
  void Step() {
    g.Game().BackGround->Render();
    State().Update();
  }
  static float Width(const TSpriteRecord& s) { return s.Vertices[3].X - s.Vertices[0].X; }
  static float Height(const TSpriteRecord& s) { return s.Vertices[3].Y - s.Vertices[0].Y; }
  static uint32_t Alpha(const TSpriteRecord& s) { return s.Vertices[0].Color >> 24; }

  GameFixture g;
};

}  // namespace vuzed::test
