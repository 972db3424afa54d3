// The headless suite runs without a display or audio device: SDL gets its
// dummy drivers unless the caller chose others.

#include <cstdlib>

namespace {

const bool kHeadlessDrivers = [] {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  return true;
}();

}  // namespace
