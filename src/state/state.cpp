#include "state/state.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "engine/graphics/texture.h"
#include "engine/platform/window_host.h"
#include "engine/sound/sound_device.h"
#include "game/stage_shared.h"
#include "game/game_context.h"
#include "state/music_player.h"

namespace vuzed {

TState::TState(TGameContext& context) : Context_(context) {
  EnterPlayfield(Context_.Play, this);
  if (!TMusicPlayer::DecoderAvailable()) {
    if (Context_.Platform.Window) Context_.Platform.Window->ShowError("vuzed", "OggVorbisのDLLをロードできません！");
    std::fflush(nullptr);
    std::_Exit(1);
  }
  if (Context_.Zudezu1) Context_.Zudezu1->SetPrimaryFormat(44100, 16, true);
  Music_ = std::make_unique<TMusicPlayer>(context);
  Dialogue.CutInFrame = -1;
  Dialogue.CutInX = 440;
  SpellFrame = -1;
  BossActive = 0;
}

TState::~TState() {
  LeavePlayfield(Context_.Play, this);
}

void TState::ResetStage() {
  Dialogue.TextLineCount = -1;
  Dialogue.TextColor = 0xFFFFFFFF;
  DialogueFrame = -1;
  Dialogue.BackPicture = -1;
  Dialogue.CenterPicture = -1;
  Dialogue.LeftPicture = -1;
  Dialogue.RightPicture = -1;
  Dialogue.CutInFrame = -1;
  Dialogue.CutInX = 0;
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
  Boss = nullptr;
  StageClear = 0;
  StageClearCount = -1;
  GameOver = 0;
}

void TState::StartStage(int32_t type) {
  StageType = type;
  Boss = nullptr;
  // The HUD's target is the second entry of the stage's table, not the best.
  const int base = ScoreTableBase(type);
  HiScore = base < 0 ? 0 : ScoreTable[size_t(base) + 1];
}

void TState::Update() {
  ++PlayFrames;
  const TScriptMode scriptMode = Context_.Stage ? Context_.Stage->ScriptMode : TScriptMode::Running;
  switch (Context_.LayoutMode) {
    case LayoutVertical:
      break;
    case LayoutSideways:
      if (scriptMode == TScriptMode::Novel) DrawNovelSideways();
      return;
    case LayoutSlant:
      // Nothing else is drawn on a SLANT stage, but a dialogue opened there
      // is drawn, and so advances, as on a VERTICAL one: without its display
      // a scene would never read a line and could only be left with Esc.
      if (scriptMode == TScriptMode::Novel)
        DrawNovel();
      else if (scriptMode == TScriptMode::Adv)
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

void TState::DrawDialogue() {
  const TScriptMode scriptMode = Context_.Stage ? Context_.Stage->ScriptMode : TScriptMode::Running;
  if (scriptMode == TScriptMode::Novel) DrawNovel();
  if (scriptMode == TScriptMode::Adv) DrawAdv();
}

}  // namespace vuzed
