#pragma once
// TTitle: the title menu. One object lives from start-up to the end; the
// screen, cursor and description persist between visits.
//
//   screen 0  main menu: start, extra, others, quit       cursor 0..3
//   screen 4  start menu: story, practice                 cursor 0..1
//   screen 5  extra stage (shot starts stage type 5)      -
//   screen 6  second menu: further stage, music room, -   cursor 0..2
//   screen 7  further stage (shot starts stage type 10)   -
//   screen 8  music room: seven tracks in two columns     cursor 0..9
//
// Input is level-triggered: a key held down acts again once the input delay
// has run out (15 frames after most keys). While the delay is positive it is
// counted down at the start of each frame, and keys are read only when it is
// 0, so a delay of n means the next key acts n frames later.
//
// The menu draws only screen sprites: backgrounds (back table) alpha-blended,
// items (else table) additive, white when selected and grey otherwise.
// The cursor sound restarts channel 10, the select sound channel 11.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "title/music_room_text.h"

namespace vuzed {

struct TGameContext;
class TMXTexture;
class TVZTextWriter;

class TTitle {
 public:
  // Screens; the values are the game's screen numbers.
  enum : int32_t { ScreenMain = 0, ScreenStart = 4, ScreenExtra = 5, ScreenSecond = 6, ScreenFurther = 7,
                   ScreenMusicRoom = 8 };
  static constexpr int32_t kIntroFrames = 20;  // fade-in over back picture 30 at program start
  static constexpr int32_t kFadeFrames = 30;   // cross-fade from the previous screen's background
  static constexpr int32_t kKeyDelay = 15;     // after a handled key
  static constexpr int32_t kDescriptionDelay = 30;

  // Creates the description writer (font height 20) and reads the music
  // room's texts (music_room_text.h).
  explicit TTitle(TGameContext& context);
  ~TTitle();

  // One frame of the title scene: draws the current screen and handles input.
  void Step();
  // The music room's description panel (screen 8 only).
  void DrawPanel();
  // Back to the main menu with the cursor on the given item (the escape key,
  // leaving a game).
  void ShowMainMenu(int32_t cursor);

  // Starts a stage as the main window's GameStart does; set by the main
  // window. Unset, a menu entry that starts a game only switches the scene.
  std::function<void(int32_t)> OnGameStart;

  int32_t PanelCounter = 0;  // frames the description panel was drawn; never reset
  std::unique_ptr<TVZTextWriter> Writer;
  int32_t Screen = ScreenMain;
  int32_t FadeCounter = 0;   // -30..0, negative while a cross-fade runs
  int32_t FadePicture = 0;   // back picture fading out
  int32_t IntroCounter = kIntroFrames;
  int32_t Cursor = 0;
  int32_t InputDelay = 0;    // frames during which keys are ignored
  std::array<std::unique_ptr<TMXTexture>, kDescriptionLineCount> DescriptionLines;
  // Set when a track is chosen; rendered into DescriptionLines and cleared on
  // the next frame.
  std::optional<std::string> PendingDescription;
  TMusicRoomTexts MusicRoomTexts;

 private:
  // Colour of this frame's background: the intro fade-in, the cross-fade or
  // opaque white. Draws the picture being faded over.
  uint32_t StepFades();
  void StartFade(int32_t backPicture);
  int32_t MainBackPicture() const;

  // Buttons: "shot" is button 0 or ShotButton, "bomb" button 1 or BombButton.
  bool Shot() const;
  bool Bomb() const;
  bool Button(int button) const;
  int32_t StickX() const;
  int32_t StickY() const;
  void CursorSound();
  void SelectSound();
  // Leaves the title for a game of stage type `type` with a fresh ship.
  void StartGame(int32_t type);

  // title_screens.cpp: one per screen, drawing then input.
  void StepMain(uint32_t color);
  void StepStart(uint32_t color);
  void StepExtra(uint32_t color);
  void StepSecond(uint32_t color);
  void StepFurther(uint32_t color);
  // music_room.cpp
  void StepMusicRoom(uint32_t color);
  void RenderPendingDescription();
  void MusicRoomInput();
  bool InputOpen() const { return InputDelay == 0; }

  // title_draw.cpp
  void DrawBack(int32_t picture, uint32_t color) const;
  void DrawItem(int32_t picture, float x, float y, bool selected) const;

  TGameContext& Context_;
};

}  // namespace vuzed
