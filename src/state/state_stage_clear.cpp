// The end of a stage: the stage-clear countdown, bonus and results, and the
// game-over panel. Both are left with the shot key (or button 0) being down,
// not with a new press: a key held when they appear closes them at once.

#include <algorithm>
#include <climits>

#include "engine/input/input_device.h"
#include "player/player_control.h"
#include "game/stage_shared.h"
#include "game/game_context.h"
#include "state/state.h"

namespace vuzed {
namespace {

constexpr uint32_t kOpaqueWhite = 0xFFFFFFFF;
constexpr uint32_t kPanelColour = 0x88FFFFFF;  // translucent panels over the playfield
constexpr int32_t kClearBonusBase = 1000000;
constexpr int32_t kTitleKeyDelay = 30;
// From this type on a cleared stage ends the game and opens the extra stage.
constexpr int32_t kLastMainStage = 4;

}  // namespace

bool TState::ShotDown() const {
  const TRuzud* input = Context_.Ruzud1.get();
  return input && (input->IsPressed(Context_.ShotButton) || input->IsPressed(0));
}

void TState::ReturnToTitle() {
  Context_.ChangeScene(TScene::Title);
}

bool TState::StepStageClear() {
  if (StageClear != 1) return false;
  if (StageClearCount > 0) {
    --StageClearCount;
    return false;
  }
  if (StageClearCount == 0) {
    const int32_t graze = Context_.PlayerControl ? Context_.PlayerControl->Ship.Graze : 0;
    const int64_t bonus = int64_t(PlayFrames) + kClearBonusBase + graze;
    ClearBonus = int32_t(std::min<int64_t>(bonus, INT32_MAX));
    AddScore(ClearBonus);
    ClearFrames = PlayFrames;
    StageClearCount = -1;
    return false;
  }
  DrawPicture(30, 15, false, kPanelColour, 0, false, ElsePicture(17));
  DrawPicture(40, 100, false, kOpaqueWhite, 0, false, ElsePicture(49));
  DrawNumber(400, 100, 0.6f, 0, false, kClearBonusBase);
  DrawPicture(40, 140, false, kOpaqueWhite, 0, false, ElsePicture(50));
  DrawNumber(400, 140, 0.6f, 0, false, ClearFrames);
  DrawPicture(40, 180, false, kOpaqueWhite, 0, false, ElsePicture(52));
  DrawNumber(400, 180, 0.6f, 0, false, Context_.PlayerControl ? Context_.PlayerControl->Ship.Graze : 0);
  DrawPicture(40, 220, false, kOpaqueWhite, 0, false, ElsePicture(53));
  DrawNumber(400, 220, 0.6f, 0, false, 1);
  DrawNumber(400, 300, 0.6f, 0, false, ClearBonus);
  if (!ShotDown()) return false;

  const int32_t type = StageType;
  RecordScore();
  if (Context_.Stage) Context_.Stage->EndGame();
  if (type >= kLastMainStage) {
    WhetherExtraOpen = true;
    ReturnToTitle();
    Context_.KeyWait = kTitleKeyDelay;
  } else if (OnGameStart) {
    OnGameStart(type + 1);
  }
  return true;
}

bool TState::StepGameOver() {
  if (GameOver != 1) return false;
  DrawPicture(30, 15, false, kPanelColour, 0, false, ElsePicture(18));
  if (!ShotDown()) return false;
  RecordScore();
  if (Context_.Stage) Context_.Stage->EndGame();
  ReturnToTitle();
  Context_.DelayTitleInput(kTitleKeyDelay);
  return true;
}

}  // namespace vuzed
