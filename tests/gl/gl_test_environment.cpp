// The real-renderer suite draws into SDL's off-screen window (real OpenGL on
// Mesa's software rasteriser, no display needed).

#include <cstdlib>

// Mesa keeps driver allocations until the process ends; under
// AddressSanitizer those would be reported as leaks of this binary.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

namespace {

const bool kOffscreenDrivers = [] {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  return true;
}();

}  // namespace
