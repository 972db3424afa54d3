#pragma once
// The main window through SDL2. Focus follows SDL's window events; without a
// display (the offscreen and dummy video drivers) the window counts as always
// focused, and pads are read without focus too. Game-controller hot-plug events are passed on to the input source.

#include <string>

#include "engine/platform/window_host.h"

struct SDL_Window;

namespace vuzed {

class SdlInputSource;

class SdlWindowHost : public WindowHost {
 public:
  // input may be null; the window must outlive the host.
  SdlWindowHost(SDL_Window* window, SdlInputSource* input);

  bool IsActive() const override;
  void ProcessMessages() override;
  bool CloseRequested() const override { return Closed_; }
  void Close() override { Closed_ = true; }
  void SetFullScreen(bool on) override;
  bool IsFullScreen() const override { return FullScreen_; }
  int ClientWidth() const override;
  int ClientHeight() const override;
  void ShowError(const std::string& title, const std::string& text) override;

  // The video driver has no display to show anything on.
  bool Headless() const { return Headless_; }

 private:
  SDL_Window* Window_;
  SdlInputSource* Input_;
  bool Headless_ = false;
  bool Focused_ = false;
  bool Closed_ = false;
  bool FullScreen_ = false;
};

}  // namespace vuzed
