#pragma once
// The two modes every part of the game looks at: the frame loop's scene and
// the stage director's script mode.

#include <cstdint>

namespace vuzed {

// What the frame loop runs. Only the shell changes it (TGameContext::ChangeScene).
enum class TScene : uint8_t {
  Game = 0,
  Loading = 1,
  Opening = 2,
  Title = 3,
};

// What the stage director runs in a game frame.
enum class TScriptMode : uint8_t {
  Running = 0,  // the stage's MAIN
  Paused = 1,   // nothing: the pause panel is up
  Novel = 2,    // a novel-mode dialogue scene
  Adv = 3,      // an ADV dialogue scene; the background stands still
};

}  // namespace vuzed
