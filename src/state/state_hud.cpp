// The status display beside the playfield (VERTICAL layout). Else pictures:
// 25 the frame; labels 43 high score, 42 score, 44 frames, 40 lives,
// 41 bombs, 39 graze; 31 a life, 32 a bomb, 29 a hit point.

#include <algorithm>

#include "player/player_control.h"
#include "game/stage_shared.h"
#include "game/game_context.h"
#include "state/state.h"

namespace vuzed {
namespace {

constexpr uint32_t kOpaqueWhite = 0xFFFFFFFF;
constexpr float kNumberScale = 0.6f;
constexpr float kLabelX = 430;
constexpr float kNumberX = 600;
// Icons in a row stop at the screen's right edge: a count no screen can
// show is never walked through.
constexpr int32_t kScreenWidth = 640;
// The ship is near the top of the playfield above this Y.
constexpr float kTopArea = 50;
constexpr int32_t kTopFadeMax = 25;

}  // namespace

void TState::DrawHud() {
  DrawPicture(0, 0, false, kOpaqueWhite, 0, false, ElsePicture(25));
  const auto label = [this](int32_t picture, float y) {
    DrawPicture(kLabelX, y, false, kOpaqueWhite, 0, false, ElsePicture(picture));
  };
  const auto row = [this](int32_t picture, float x0, int32_t step, float y, int32_t count, float height) {
    for (int32_t i = 0; i < count && x0 + float(step) * float(i) < float(kScreenWidth); ++i)
      DrawPicture(x0 + float(step * i), y, false, kOpaqueWhite, 0, false, ElsePicture(picture), height);
  };
  label(43, 40);
  DrawNumber(kNumberX, 40, kNumberScale, 0, false, HiScore);
  label(42, 60);
  DrawNumber(kNumberX, 60, kNumberScale, 0, false, Score);
  label(44, 90);
  DrawNumber(kNumberX, 90, kNumberScale, 0, false, PlayFrames);

  const TPlayer* ship = Context_.PlayerControl ? &Context_.PlayerControl->Ship : nullptr;
  label(40, 120);
  if (ship) row(31, 500, 20, 120, ship->Lives - 1, -1);
  label(41, 140);
  if (ship) row(32, 500, 20, 140, ship->Bombs, -1);
  label(39, 170);
  DrawNumber(kNumberX, 170, kNumberScale, 0, false, ship ? ship->Graze : 0);
  if (ship) row(29, 440, 50, 200, ship->Hp, 5);
}

void TState::StepTopFade() {
  const float y = Context_.PlayerControl ? Context_.PlayerControl->Ship.Y : kTopArea;
  if (y >= kTopArea) {
    TopFade = std::max(TopFade - 1, 0);
    TopFadeOn = false;
  } else {
    TopFade = std::min(TopFade + 1, kTopFadeMax);
    TopFadeOn = true;
  }
}

void TState::DrawPause() {
  if (Context_.Stage && Context_.Stage->ScriptMode == TScriptMode::Paused)
    DrawPicture(30, 15, false, 0x88FFFFFF, 0, false, ElsePicture(16));
}

}  // namespace vuzed
