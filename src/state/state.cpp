#include "state/state.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "engine/graphics/texture.h"
#include "engine/platform/window_host.h"
#include "engine/sound/sound_device.h"
#include "script/script_run.h"
#include "shell/game_context.h"
#include "state/music_player.h"

namespace vuzed {

TState::TState(TGameContext& context) : Context_(context) {
  if (!TMusicPlayer::DecoderAvailable()) {
    if (Context_.Platform.Window) Context_.Platform.Window->ShowError("vuzed", "OggVorbisのDLLをロードできません！");
    std::fflush(nullptr);
    std::_Exit(1);
  }
  if (Context_.Zudezu1) Context_.Zudezu1->SetPrimaryFormat(44100, 16, true);
  Music_ = std::make_unique<TMusicPlayer>(context);
  CutInFrame = -1;
  CutInX = 440;
  SpellFrame = -1;
  BossActive = 0;
}

TState::~TState() = default;

void TState::ResetStage() {
  TextLineCount = -1;
  TextColor = 0xFFFFFFFF;
  DialogueFrame = -1;
  BackPicture = -1;
  CenterPicture = -1;
  LeftPicture = -1;
  RightPicture = -1;
  CutInFrame = -1;
  CutInX = 0;
  StageTitleFrame = -1;
  StageTitlePicture1 = 0;
  StageTitlePicture2 = 0;
  SpellBonus = 0;
  SpellFrame = 0;
  SpellBonusValid = 0;
  SpellResultFrame = 0;
  BossActive = 0;
  SpellTimeLeft = 0;
  // A boss of the last stage may be gone already: nothing of it is kept.
  BossHp = nullptr;
  BossMaxHp = nullptr;
  BossBusy = nullptr;
  StageClear = 0;
  StageClearCount = -1;
  GameOver = 0;
}

void TState::StartStage(int32_t type) {
  StageType = type;
  BossHp = nullptr;
  BossMaxHp = nullptr;
  BossBusy = nullptr;
  // The HUD's target is the second entry of the stage's table, not the best.
  const int base = ScoreTableBase(type);
  HiScore = base < 0 ? 0 : ScoreTable[size_t(base) + 1];
}

void TState::AddScore(int32_t n) {
  const int64_t sum = int64_t(Score) + n;
  Score = int32_t(std::clamp<int64_t>(sum, INT32_MIN, INT32_MAX));
}

void TState::Update() {
  ++PlayFrames;
  const uint8_t scriptMode = Context_.ScriptRun ? Context_.ScriptRun->ScriptMode : 0;
  switch (Context_.LayoutMode) {
    case LayoutVertical:
      break;
    case LayoutSideways:
      if (scriptMode == 2) DrawNovelSideways();
      return;
    case LayoutSlant:
      // Nothing else is drawn on a SLANT stage, but a dialogue opened there
      // is drawn, and so advances, as on a VERTICAL one: without its display
      // a scene would never read a line and could only be left with Esc.
      if (scriptMode == 2)
        DrawNovel();
      else if (scriptMode == 3)
        DrawAdv();
      return;
    default:
      return;
  }
  DrawHud();
  StepTopFade();
  StepBossOverlay();
  StepSpellResult();
  StepCutIn();
  StepStageTitle();
  if (StepStageClear()) return;
  if (StepGameOver()) return;
  DrawPause();
  DrawDialogue();
}

void TState::ShowFps(int32_t value) {
  LastFps = value;
  DrawNumber(600, 450, 0.6f, 0, false, value);
}

void TState::PlayMusic(int32_t track) {
  MusicTrack = track;
  Music_->Play(track, WhetherMusic);
}

void TState::StopMusic() { Music_->Stop(); }

void TState::StartStageTitle(int which, int32_t picture) {
  if (which == 1)
    StageTitlePicture1 = picture;
  else
    StageTitlePicture2 = picture;
  StageTitleFrame = 0;
}

void TState::StartStageClear() {
  StageClear = 1;
  StageClearCount = 300;
}

void TState::DrawDialogue() {
  const uint8_t scriptMode = Context_.ScriptRun ? Context_.ScriptRun->ScriptMode : 0;
  if (scriptMode == 2) DrawNovel();
  if (scriptMode == 3) DrawAdv();
}

}  // namespace vuzed
