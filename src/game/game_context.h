#pragma once
// Everything the game reaches as a global lives here: the three engine
// components, the nine game objects and the shell's globals. The game builds
// one at start-up; every test builds a fresh one with headless backends.
//
// The header names the game objects without their definitions, so every part
// of the game can hold a context; the shell, which knows them all, builds and
// frees it (shell/game_context.cpp). Parts below the stage director, the game
// state and the enemy control reach them through the narrow views they
// register here (Stage, Play, FieldObjects).

#include <cstdint>
#include <filesystem>
#include <memory>

#include "engine/platform/file_resolver.h"
#include "game/game_flow.h"

namespace vuzed {

class AudioBackend;
class Clock;
class InputSource;
class RenderBackend;
class WindowHost;
class TDovivez;
class TRuzud;
class TZudezu;
class TTextureList;
class TSoundList;
class TState;
class TScriptRun;
class TBackGround;
class TEnemyControl;
class TPlayerControl;
class TTitle;
class TOpening;
class TStageShared;
class TPlayState;
class TFieldObjects;

// Playfield layouts set by the stage script.
enum : uint8_t { LayoutVertical = 0, LayoutSideways = 1, LayoutSlant = 2 };

// The platform pieces the game runs on (owned by the caller).
struct TPlatform {
  RenderBackend* Render = nullptr;
  WindowHost* Window = nullptr;
  InputSource* Input = nullptr;  // may be null: no input devices
  Clock* Time = nullptr;
  AudioBackend* Audio = nullptr;  // may be null: no audio device, no sound
};

struct TGameContext {
  TGameContext(const TPlatform& platform, std::filesystem::path root);
  ~TGameContext();
  TGameContext(const TGameContext&) = delete;
  TGameContext& operator=(const TGameContext&) = delete;

  TPlatform Platform;
  FileResolver Files;               // data paths, relative to the game's directory
  std::filesystem::path LogDirectory;

  // Engine components (live for the whole program).
  std::unique_ptr<TDovivez> Dovivez1;
  std::unique_ptr<TRuzud> Ruzud1;
  std::unique_ptr<TZudezu> Zudezu1;

  // Global game objects, created in this order by the start-up timer.
  std::unique_ptr<TTextureList> TextureList;
  std::unique_ptr<TSoundList> SoundList;
  std::unique_ptr<TState> State;
  std::unique_ptr<TScriptRun> ScriptRun;
  std::unique_ptr<TBackGround> BackGround;
  std::unique_ptr<TEnemyControl> EnemyControl;
  std::unique_ptr<TPlayerControl> PlayerControl;
  std::unique_ptr<TTitle> Title;
  std::unique_ptr<TOpening> Opening;

  // The views of the game objects that the parts below them use; each object
  // sets its view when it is built and clears it when it is freed.
  TStageShared* Stage = nullptr;          // the stage director's
  TPlayState* Play = nullptr;             // the game state's
  TFieldObjects* FieldObjects = nullptr;  // the enemy control's

  // The one way to change the scene (the title, the game state and the
  // dialogue ask for it). Entering the title shows its main menu at the
  // cursor it last had.
  void ChangeScene(TScene next);
  // Frames the title waits before it takes keys again (for a game that
  // ends into it).
  void DelayTitleInput(int32_t frames);

  // Shell globals.
  TScene Scene = TScene::Game;
  int32_t KeyWait = 0;
  int32_t ShotButton = 0;
  int32_t BombButton = 0;
  int32_t SlowButton = 0;
  int32_t PauseButton = 0;
  int32_t QuitButton = 0;
  uint8_t LayoutMode = LayoutVertical;
  int32_t FieldOriginX = 0;
  int32_t FieldOriginY = 0;
  int32_t StartTimeMs = 0;
  double FrameInterval = 0;      // seconds per frame, 1/60 once started
  float LastFrameTime = 0;       // seconds at which the last frame began
  int32_t DrawSkipCount = 0;
  int32_t FpsFrameCount = 0;
  double FpsLastTime = 0;
  int32_t FpsValue = 0;          // frames per second x 100

  // The program-wide random generator: seed := seed * 134775813 + 1 (mod 2^32).
  uint32_t RandSeed = 0;

  // Milliseconds since program start, rounded half to even.
  int32_t GetNowTime() const;
};

}  // namespace vuzed
