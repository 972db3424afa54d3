#pragma once
// The SDL2 platform: one window captioned "vuzedVer1.01" with a 640 x 480
// client area that cannot be resized, an OpenGL 3.3 core context on it, and
// the three real backends that use them (window host, renderer, input).
// Works on a real display and on SDL's offscreen video driver, which needs
// none (SDL_VIDEODRIVER=offscreen).

#include <memory>
#include <string>

#include "engine/platform/input_source.h"
#include "engine/platform/render_backend.h"
#include "engine/platform/video_platform.h"
#include "engine/platform/window_host.h"

struct SDL_Window;

namespace vuzed {

class GlRenderBackend;
class SdlInputSource;
class SdlWindowHost;

struct SdlPlatformOptions {
  bool Hidden = false;  // create the window without showing it
  bool VSync = true;    // wait for the display's refresh when presenting
};

class SdlPlatform : public VideoPlatform {
 public:
  // Null, with the reason in error, when SDL, the window or the OpenGL 3.3
  // core context cannot be had; the caller then runs headless or shows the
  // error. Only one platform may exist at a time.
  static std::unique_ptr<SdlPlatform> Create(const SdlPlatformOptions& options, std::string& error);
  ~SdlPlatform() override;
  SdlPlatform(const SdlPlatform&) = delete;
  SdlPlatform& operator=(const SdlPlatform&) = delete;

  WindowHost& Window() override;
  RenderBackend& Render() override;
  InputSource& Input() override;
  GlRenderBackend& Gl() { return *Renderer_; }
  SDL_Window* SdlWindow() const { return Window_; }

 private:
  SdlPlatform() = default;

  bool SubsystemsStarted_ = false;
  SDL_Window* Window_ = nullptr;
  void* Context_ = nullptr;  // SDL_GLContext
  std::unique_ptr<SdlInputSource> Input_;
  std::unique_ptr<SdlWindowHost> Host_;
  std::unique_ptr<GlRenderBackend> Renderer_;
};

}  // namespace vuzed
