#pragma once
// The main window as the shell sees it: focus, messages, close requests,
// full screen and the one user-visible error box.

#include <string>

namespace vuzed {

class WindowHost {
 public:
  virtual ~WindowHost() = default;
  // True while the window has the input focus (the frame loop runs only then).
  virtual bool IsActive() const = 0;
  // Handles pending window messages (focus changes, close box, key events).
  virtual void ProcessMessages() = 0;
  // The close box was pressed or Close() was called.
  virtual bool CloseRequested() const = 0;
  virtual void Close() = 0;
  // Full screen is desktop full screen: the 640 x 480 picture scaled to fit,
  // letterboxed. The border goes with it.
  virtual void SetFullScreen(bool on) = 0;
  virtual bool IsFullScreen() const = 0;
  // Client area size in pixels.
  virtual int ClientWidth() const = 0;
  virtual int ClientHeight() const = 0;
  // The one error the player may see; falls back to stderr without a display.
  virtual void ShowError(const std::string& title, const std::string& text) = 0;
};

// A window that is always focused and never shown: headless runs and tests.
class NullWindowHost : public WindowHost {
 public:
  bool IsActive() const override { return Active; }
  void ProcessMessages() override {}
  bool CloseRequested() const override { return Closed; }
  void Close() override { Closed = true; }
  void SetFullScreen(bool on) override { FullScreen = on; }
  bool IsFullScreen() const override { return FullScreen; }
  int ClientWidth() const override { return 640; }
  int ClientHeight() const override { return 480; }
  void ShowError(const std::string& title, const std::string& text) override;

  bool Active = true;
  bool Closed = false;
  bool FullScreen = false;
  std::string LastError;
};

}  // namespace vuzed
