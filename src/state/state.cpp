#include "state/state.h"

#include <cstdio>
#include <cstdlib>

#include "engine/graphics/texture.h"
#include "engine/platform/window_host.h"
#include "engine/sound/sound_device.h"
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
}

TState::~TState() = default;

void TState::ResetStage() {
  StageTitleFrame = -1;
  StageTitlePicture1 = 0;
  StageTitlePicture2 = 0;
  StageClear = 0;
  StageClearCount = -1;
}

void TState::StartStage(int32_t type) {
  StageType = type;
  // ScoreTable index of Score<g>_<b>_<k> is (g-1)*16 + (b-1)*4 + (k-1).
  switch (type) {
    case 0:
    case 1: HiScore = ScoreTable[1]; break;
    case 2: HiScore = ScoreTable[5]; break;
    case 3: HiScore = ScoreTable[9]; break;
    case 4: HiScore = ScoreTable[13]; break;
    case 5: HiScore = ScoreTable[33]; break;
    default: HiScore = 0; break;
  }
}

void TState::Update() { ++PlayFrames; }

void TState::ShowFps(int32_t value) { LastFps = value; }

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

}  // namespace vuzed
