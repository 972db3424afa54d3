#pragma once
// TForm1: the main window, the spine of the program. It builds every game
// object once at start-up in a fixed order, then runs the frame loop: pace to
// 1/60 s, handle the system keys, advance the active scene by one step, and
// draw. Fast-forward keys (F3, F4, F5) run many steps per drawn frame.

#include <memory>

#include "game/game_context.h"
#include "replay/game_watcher.h"
#include "shell/game_folders.h"

namespace vuzed {

class TForm1 {
 public:
  // Creates the engine components on the platform and puts the device into
  // window mode at 640 x 480 (FormCreate). The game reads its content from
  // folders.Root and keeps its settings and logs where folders say.
  TForm1(const TPlatform& platform, const TGameFolders& folders);
  // The game directory root: data/ below it, the logs in it.
  TForm1(const TPlatform& platform, const std::filesystem::path& root);
  // FormDestroy: frees the game objects in the shut-down order; freeing the
  // stage director saves the settings file.
  ~TForm1();

  // The one-shot start-up.
  void Timer1Timer();
  // One turn of the idle loop: focus test, pacing, then a pass.
  void ApplicationEvents1Idle();
  // One pass of the frame loop from the device test on (steps that do not
  // depend on focus or pacing), at the given time in seconds.
  void RunPass(float now);
  // Starts stage Type (the caller sets the scene to the game itself).
  void GameStart(int32_t type);
  void HandleSystemKeys();
  // F11 / Alt+Enter and F12 (window_keys.cpp).
  void HandleWindowKeys();
  void UpdateGame();
  void UpdateAdventure();
  // Asks the program to end; the loop sees it after the pass.
  void Close();
  bool Closing() const;
  // Frees the game objects in shut-down order (also run by the destructor).
  void FormDestroy();

  TGameContext& Context() { return *Context_; }

  // Who records or replays the games (none by default). Not owned.
  void SetWatcher(TGameWatcher* watcher) { Watcher_ = watcher; }
  // A new game from its first stage, after the caller has set up the ship as
  // the title does: the watcher hears of it, then GameStart.
  void NewGame(int32_t type);

  // Seconds from the start of one pass to the next (1/60) are measured with
  // this single-precision clock reading.
  float Now() const;

 private:
  int DrawDivisor() const;
  void ToggleFullScreen();
  void SaveScreenshot();
  bool FullScreenKeyHeld_ = false;
  bool ScreenshotKeyHeld_ = false;
  std::unique_ptr<TGameContext> Context_;
  bool Destroyed_ = false;
  bool SavesSettings_ = true;
  TGameWatcher* Watcher_ = nullptr;
};

}  // namespace vuzed
