#pragma once
// Everything the game reaches as a global lives here: the three engine
// components, the nine game objects and the shell's globals. The game builds
// one at start-up; every test builds a fresh one with headless backends.
//
// The header names the game objects without their definitions, so every part
// of the game can hold a context; the shell, which knows them all, builds and
// frees it (shell/game_context.cpp). The context is also the game's
// playfield (game/playfield.h): the objects on it are given the playfield
// only, and reach the stage director, the game state and the enemy control
// through the narrow views those register there (Stage, Play, FieldObjects).

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

#include "engine/platform/file_resolver.h"
#include "game/game_flow.h"
#include "game/playfield.h"

namespace vuzed {

class AudioBackend;
class Clock;
class InputSource;
class TKeyMapInput;
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

// The platform pieces the game runs on (owned by the caller).
struct TPlatform {
  RenderBackend* Render = nullptr;
  WindowHost* Window = nullptr;
  InputSource* Input = nullptr;  // may be null: no input devices
  Clock* Time = nullptr;
  AudioBackend* Audio = nullptr;  // may be null: no audio device, no sound
  // The layer under Input that gives the game buttons the player's keys; it
  // gets the [Keys] section when the settings are read. May be null.
  TKeyMapInput* KeyMap = nullptr;
};

struct TGameContext : TPlayfield {
  TGameContext(const TPlatform& platform, std::filesystem::path root);
  ~TGameContext();
  TGameContext(const TGameContext&) = delete;
  TGameContext& operator=(const TGameContext&) = delete;

  TPlatform Platform;
  FileResolver Files;               // data paths, relative to the game's directory
  std::filesystem::path LogDirectory;
  // The player's settings and records: this file when set (an installed game
  // keeps them in its save directory), else "data\information.ini" found
  // through Files.
  std::filesystem::path SettingsPath;
  // The settings file, when it exists.
  std::optional<std::filesystem::path> SettingsFile() const;

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

  // The one way to change the scene (the title, the game state and the
  // dialogue ask for it). Entering the title shows its main menu at the
  // cursor it last had.
  void ChangeScene(TScene next);
  // Frames the title waits before it takes keys again (for a game that
  // ends into it).
  void DelayTitleInput(int32_t frames);

  // Shell globals (the layout, the field origin, the shot, bomb and slow
  // buttons and the random generator are the playfield's).
  TScene Scene = TScene::Game;
  int32_t KeyWait = 0;
  int32_t PauseButton = 0;
  int32_t QuitButton = 0;
  int32_t StartTimeMs = 0;
  double FrameInterval = 0;      // seconds per frame, 1/60 once started
  float LastFrameTime = 0;       // seconds at which the last frame began
  int32_t DrawSkipCount = 0;
  int32_t FpsFrameCount = 0;
  double FpsLastTime = 0;
  int32_t FpsValue = 0;          // frames per second x 100

  // Milliseconds since program start, rounded half to even.
  int32_t GetNowTime() const;
};

}  // namespace vuzed
