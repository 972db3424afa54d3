#include "state/state.h"

#include "shell/game_context.h"

namespace vuzed {

TState::TState(TGameContext& context) : Context_(context) {}

void TState::ResetStage() {}

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

void TState::PlayMusic(int32_t track) { MusicTrack = track; }

}  // namespace vuzed
