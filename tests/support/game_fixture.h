#pragma once
// A whole game on headless backends in a temporary directory: the frame loop
// run pass by pass on a virtual clock of k/60 s, with scripted keys.

#include <memory>
#include <string>

#include "engine/platform/audio_backend.h"
#include "engine/platform/clock.h"
#include "engine/platform/null_render_backend.h"
#include "engine/platform/scripted_input_source.h"
#include "engine/platform/window_host.h"
#include "shell/main_form.h"
#include "support/test_dir.h"

namespace vuzed::test {

class GameFixture {
 public:
  GameFixture();
  ~GameFixture();

  // Replaces the key script ("FROM[-TO] KEY..." lines, passes from 1).
  void Keys(const std::string& script);
  // Creates the main window (FormCreate) and runs the start-up timer.
  void Start();
  // Runs passes until the given pass number (inclusive) on the virtual clock.
  void RunTo(int64_t pass);
  TGameContext& Game() { return Form->Context(); }

  TempDir Dir;
  NullRenderBackend Render;
  NullWindowHost Window;
  ScriptedInputSource Input;
  ManualClock Clock;
  AudioBackend* Audio = nullptr;  // set before Start for a game with a sound device
  std::unique_ptr<TForm1> Form;
  int64_t Pass = 0;
};

}  // namespace vuzed::test
