#pragma once
// What the frame loop tells whoever records or plays back a game: a game is
// starting, a stage of it has been loaded, a pass begins and ends. The main
// window calls these at the same points in the game and in every tool.

#include <cstdint>

namespace vuzed {

struct TGameContext;

class TGameWatcher {
 public:
  virtual ~TGameWatcher() = default;
  // A new game: the ship is set up and its first stage loads next.
  virtual void GameStarting(TGameContext& game, int32_t type) = 0;
  // A stage of the game was just loaded (the first one, or the next after a clear).
  virtual void StageLoaded(TGameContext& game, int32_t type) = 0;
  // One pass of the frame loop, after the device test: before anything reads input...
  virtual void PassStarting(TGameContext& game) = 0;
  // ...and after it has drawn.
  virtual void PassEnded(TGameContext& game) = 0;
};

}  // namespace vuzed
