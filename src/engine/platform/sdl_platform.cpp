#include "engine/platform/sdl_platform.h"

#include <SDL.h>
#include <epoxy/gl.h>

#include "engine/platform/gl_render_backend.h"
#include "engine/platform/sdl_input_source.h"
#include "engine/platform/sdl_window_host.h"

namespace vuzed {
namespace {

constexpr const char* kWindowCaption = "vuzedVer1.01";
constexpr int kClientWidth = 640;
constexpr int kClientHeight = 480;
constexpr Uint32 kSubsystems = SDL_INIT_VIDEO | SDL_INIT_GAMECONTROLLER | SDL_INIT_EVENTS;

}  // namespace

std::unique_ptr<SdlPlatform> SdlPlatform::Create(const SdlPlatformOptions& options,
                                                 std::string& error) {
  std::unique_ptr<SdlPlatform> p(new SdlPlatform());
  if (SDL_InitSubSystem(kSubsystems) != 0) {
    error = std::string("SDL could not start: ") + SDL_GetError();
    return nullptr;
  }
  p->SubsystemsStarted_ = true;

  // The window's own frame buffer only receives the finished picture; depth
  // and stencil live in the renderer's off-screen target.
  SDL_GL_ResetAttributes();
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, 0);

  Uint32 flags = SDL_WINDOW_OPENGL | (options.Hidden ? SDL_WINDOW_HIDDEN : SDL_WINDOW_SHOWN);
  p->Window_ = SDL_CreateWindow(kWindowCaption, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                kClientWidth, kClientHeight, flags);
  if (!p->Window_) {
    error = std::string("cannot open the window: ") + SDL_GetError();
    return nullptr;
  }
  p->Context_ = SDL_GL_CreateContext(p->Window_);
  if (!p->Context_) {
    error = std::string("cannot get an OpenGL 3.3 core context: ") + SDL_GetError();
    return nullptr;
  }
  if (SDL_GL_MakeCurrent(p->Window_, p->Context_) != 0) {
    error = std::string("cannot use the OpenGL context: ") + SDL_GetError();
    return nullptr;
  }
  if (!epoxy_is_desktop_gl() || epoxy_gl_version() < 33) {
    error = "OpenGL 3.3 is needed; the driver offers version " +
            std::to_string(epoxy_gl_version() / 10) + "." + std::to_string(epoxy_gl_version() % 10);
    return nullptr;
  }
  // Some drivers refuse to change the interval; the frame loop paces itself.
  SDL_GL_SetSwapInterval(options.VSync ? 1 : 0);

  p->Input_ = std::make_unique<SdlInputSource>();
  p->Host_ = std::make_unique<SdlWindowHost>(p->Window_, p->Input_.get());
  p->Renderer_ = std::make_unique<GlRenderBackend>(p->Window_);
  return p;
}

SdlPlatform::~SdlPlatform() {
  // GL objects go while their context is current, the context before its window.
  Renderer_.reset();
  Host_.reset();
  Input_.reset();
  if (Context_) SDL_GL_DeleteContext(Context_);
  if (Window_) SDL_DestroyWindow(Window_);
  if (SubsystemsStarted_) SDL_QuitSubSystem(kSubsystems);
}

WindowHost& SdlPlatform::Window() { return *Host_; }
RenderBackend& SdlPlatform::Render() { return *Renderer_; }
InputSource& SdlPlatform::Input() { return *Input_; }

}  // namespace vuzed
