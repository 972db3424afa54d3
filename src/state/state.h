#pragma once
// TState: the game state. Score and the per-stage records, the settings read
// from the settings file, the HUD beside the playfield, the boss and
// spell-card overlay that bosses feed, the stage title, the stage-clear
// results, game over, the pause panel and the music channel.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "game/play_state.h"
#include "state/dialogue_display.h"

namespace vuzed {

struct TGameContext;
class TMXTexture;

class TMusicPlayer;

class TState : public TPlayState {
 public:
  // Prepares the music side: the decoder must be available (else the error
  // box "OggVorbisのDLLをロードできません！" and the program stops), the
  // primary format 44100 Hz 16-bit stereo, the music buffer on channel 0.
  explicit TState(TGameContext& context);
  ~TState();

  // Clears the per-stage display state; score, records and settings stay.
  void ResetStage();
  // Remembers the stage type and picks the recorded score shown on the HUD:
  // the second entry of the stage's table.
  void StartStage(int32_t type);
  // One game-scene frame: PlayFrames, then by layout the HUD, spell card,
  // stage title, stage clear, game over, pause and dialogue drawing.
  void Update();
  // The frame rate (x 100) at the bottom right, in every scene.
  void ShowFps(int32_t value);
  // Music track n on channel 0, when WhetherMusic is on (music_player.h).
  // Channel 0 is stopped first in any case.
  void PlayMusic(int32_t track);
  // The music room's stop: channel 0 stopped, decoder closed.
  void StopMusic();
  TMusicPlayer& Music() { return *Music_; }
  // The stage-title animation: picture `which` (1 or 2) of the else table
  // becomes n and the animation starts again at frame 0.
  void StartStageTitle(int which, int32_t picture);
  // Enters Score into the stage's table of four (best first) and sets
  // Score := 0. Types 0 and 1 share stage 1's table; types other than 0..5
  // keep no records.
  void RecordScore();
  // The dialogue scenes' drawing (the scene logic is the stage director's).
  void DrawNovel();
  void DrawNovelSideways();
  void DrawAdv();

  // One sprite of texture with its top-left at (x, y) in screen pixels,
  // height x width pixels (-1 = the texture's own size). The colour is
  // colour (ARGB; 0xFFFFFFFF = opaque white), or with fadeOn opaque white at
  // alpha 255 - 5 x fade. With shade the two bottom corners are darker by
  // 0x44 in each of red, green and blue. Nothing for a missing texture.
  void DrawPicture(float x, float y, bool shade, uint32_t colour, int32_t fade, bool fadeOn,
                   const TMXTexture* texture, float height = -1, float width = -1);
  // The decimal digits of value with else pictures 0-9, each scaled by
  // scale; the k-th digit from the right has its left edge at
  // x - scale x 20 x k. Shaded; alpha 255 - 6 x fade with fadeOn. Drawing
  // stops at a digit whose picture is missing. A negative value shows the
  // digits of its magnitude.
  void DrawNumber(float x, float y, float scale, int32_t fade, bool fadeOn, int64_t value);
  // Else picture n, or nullptr when the slot is empty.
  const TMXTexture* ElsePicture(int32_t n) const;

  // Score, the spell card, the dialogue, stage-clear and game-over flags and
  // SEVolume are the playfield's part (game/play_state.h).
  int32_t PlayFrames = 0;
  std::array<int32_t, 36> ScoreTable{};
  int32_t AllTime = 0;
  int32_t PlayTime = 0;
  int32_t MusicVolume = 0;
  bool WhetherMusic = false;
  bool AllCrear = false;
  bool WhetherExtraOpen = false;
  int32_t StageType = 0;
  int32_t HiScore = 0;
  int32_t LastFps = 0;      // the value last passed to ShowFps
  int32_t MusicTrack = -1;  // the track last asked for
  int32_t StageTitleFrame = -1;  // -1 = no stage title
  int32_t StageTitlePicture1 = 0;
  int32_t StageTitlePicture2 = 0;
  int32_t TopFade = 0;          // 0..25: the HUD fades while the ship is near the top
  bool TopFadeOn = false;       // this frame's boss gauge, timer and bonus are faded

  // What the dialogue scenes show (the stage director's dialogue scenes
  // fill it, DrawNovel/DrawAdv draw it).
  TDialogueDisplay Dialogue;

  int32_t ClearFrames = 0;      // PlayFrames when the clear bonus was given
  int32_t ClearBonus = 0;

  // Starts stage n as the main window's GameStart does (the main window sets
  // it); the stage-clear results call it for the next main stage.
  std::function<void(int32_t)> OnGameStart;

 private:
  // The VERTICAL layout's frame, in order.
  void DrawHud();
  void StepTopFade();
  void StepBossOverlay();
  void StepSpellResult();
  void StepCutIn();
  void StepStageTitle();
  // Each returns true when the game has left the stage (next stage or title).
  bool StepStageClear();
  bool StepGameOver();
  void DrawPause();
  void DrawDialogue();
  // The shot key (or button 0) is down.
  bool ShotDown() const;
  // Leaves the game for the title's main menu.
  void ReturnToTitle();

  TGameContext& Context_;
  std::unique_ptr<TMusicPlayer> Music_;
};

// Index in ScoreTable of the best entry of the table a stage type records
// into, or -1 for a type without records.
int ScoreTableBase(int32_t stageType);

}  // namespace vuzed
