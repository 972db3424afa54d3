#pragma once
// A real display for the game: an SDL2 window with an OpenGL renderer and the
// SDL keyboard and game pad, handed out as the engine's backend interfaces.

#include <memory>
#include <string>

#include "engine/platform/input_source.h"
#include "engine/platform/render_backend.h"
#include "engine/platform/window_host.h"

namespace vuzed {

class VideoPlatform {
 public:
  virtual ~VideoPlatform() = default;
  virtual RenderBackend& Render() = 0;
  virtual WindowHost& Window() = 0;
  virtual InputSource& Input() = 0;
};

struct VideoOptions {
  bool Hidden = false;  // tools render off screen and show nothing
  bool VSync = true;    // the game waits for the display when presenting
};

// The window "vuzedVer1.01" with a 640 x 480 client area. Works on a display
// and under SDL_VIDEODRIVER=offscreen. Returns nullptr with a message when no
// window or OpenGL context can be had.
std::unique_ptr<VideoPlatform> CreateSdlVideoPlatform(const VideoOptions& options, std::string& error);

}  // namespace vuzed
