#pragma once
// TState: the game state. Score and records, the settings read from the
// settings file, and (as the game grows) the HUD, overlays and music.

#include <array>
#include <cstdint>

namespace vuzed {

struct TGameContext;

class TState {
 public:
  explicit TState(TGameContext& context);

  // Clears the per-stage display state; score, records and settings stay.
  void ResetStage();
  // Remembers the stage type and picks the recorded score shown on the HUD:
  // the second entry of the stage's table.
  void StartStage(int32_t type);
  void Update();
  void ShowFps(int32_t value);
  void PlayMusic(int32_t track);

  int32_t Score = 0;
  int32_t PlayFrames = 0;
  std::array<int32_t, 36> ScoreTable{};
  int32_t AllTime = 0;
  int32_t PlayTime = 0;
  int32_t MusicVolume = 0;
  int32_t SEVolume = 0;
  bool WhetherMusic = false;
  bool AllCrear = false;
  bool WhetherExtraOpen = false;
  int32_t StageType = 0;
  int32_t HiScore = 0;
  int32_t LastFps = 0;      // the value last passed to ShowFps
  int32_t MusicTrack = -1;  // the track last asked for

 private:
  TGameContext& Context_;
};

}  // namespace vuzed
