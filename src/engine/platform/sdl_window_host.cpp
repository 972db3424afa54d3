#include "engine/platform/sdl_window_host.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>

#include "engine/platform/sdl_input_source.h"

namespace vuzed {

SdlWindowHost::SdlWindowHost(SDL_Window* window, SdlInputSource* input)
    : Window_(window), Input_(input) {
  const char* driver = SDL_GetCurrentVideoDriver();
  Headless_ = !driver || std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0;
  Focused_ = (SDL_GetWindowFlags(Window_) & SDL_WINDOW_INPUT_FOCUS) != 0;
  // SDL drops pad input while no window has the focus, and a headless window
  // never gets it; it counts as focused, so its pads count too.
  if (Headless_) SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
}

bool SdlWindowHost::IsActive() const { return Headless_ || Focused_; }

void SdlWindowHost::ProcessMessages() {
  const Uint32 ownId = SDL_GetWindowID(Window_);
  SDL_Event e;
  while (SDL_PollEvent(&e)) {
    switch (e.type) {
      case SDL_QUIT:
        Closed_ = true;
        break;
      case SDL_WINDOWEVENT:
        if (e.window.windowID != ownId) break;
        if (e.window.event == SDL_WINDOWEVENT_CLOSE) Closed_ = true;
        if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) Focused_ = true;
        if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) Focused_ = false;
        break;
      case SDL_CONTROLLERDEVICEADDED:
        if (Input_) Input_->ControllerAdded(e.cdevice.which);
        break;
      case SDL_CONTROLLERDEVICEREMOVED:
        if (Input_) Input_->ControllerRemoved(e.cdevice.which);
        break;
      default:
        break;
    }
  }
}

void SdlWindowHost::SetFullScreen(bool on) {
  if (SDL_SetWindowFullscreen(Window_, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
    std::fprintf(stderr, "window: full screen %s failed: %s\n", on ? "on" : "off", SDL_GetError());
    return;
  }
  FullScreen_ = on;
}

int SdlWindowHost::ClientWidth() const {
  int w = 0, h = 0;
  SDL_GetWindowSize(Window_, &w, &h);
  return w;
}

int SdlWindowHost::ClientHeight() const {
  int w = 0, h = 0;
  SDL_GetWindowSize(Window_, &w, &h);
  return h;
}

void SdlWindowHost::ShowError(const std::string& title, const std::string& text) {
  if (!Headless_ &&
      SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), text.c_str(), Window_) == 0)
    return;
  std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
}

}  // namespace vuzed
