// vuzed: the game. Takes no arguments; runs from its own directory so that
// data/ beside the executable is the working directory.

#include <SDL.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "engine/platform/clock.h"
#include "engine/platform/sdl_audio_backend.h"
#include "engine/platform/stop_signals.h"
#include "engine/platform/video_platform.h"
#include "shell/main_form.h"

namespace {

std::filesystem::path ExecutableDirectory(const char* argv0) {
  std::error_code ec;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) self = std::filesystem::absolute(argv0, ec);
  return self.parent_path();
}

}  // namespace

int main(int /*argc*/, char** argv) {
  std::error_code ec;
  std::filesystem::path home = ExecutableDirectory(argv[0]);
  std::filesystem::current_path(home, ec);
  if (ec) std::fprintf(stderr, "vuzed: cannot change into %s: %s\n", home.c_str(), ec.message().c_str());

  std::string error;
  std::unique_ptr<vuzed::VideoPlatform> video = vuzed::CreateSdlVideoPlatform(vuzed::VideoOptions{}, error);
  if (!video) {
    std::string text = "The game window could not be opened: " + error;
    std::fprintf(stderr, "vuzed: %s\n", text.c_str());
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "vuzed", text.c_str(), nullptr);
    return 1;
  }

  // Without an audio device the game runs silently.
  std::string audioError;
  std::unique_ptr<vuzed::SdlAudioBackend> audio = vuzed::SdlAudioBackend::Create(audioError);

  vuzed::SystemClock clock;
  vuzed::TPlatform platform;
  platform.Audio = audio.get();
  platform.Render = &video->Render();
  platform.Window = &video->Window();
  platform.Input = &video->Input();
  platform.Time = &clock;

  {
    vuzed::TForm1 form(platform, ".");
    // The start-up timer fires once, about 1 ms after the window exists.
    platform.Window->ProcessMessages();
    clock.SleepMs(1);
    form.Timer1Timer();
    // A closed terminal (SIGHUP) ends the game as its window's close does.
    vuzed::WatchStopSignals({SIGHUP});
    while (!form.Closing()) {
      platform.Window->ProcessMessages();
      if (form.Closing() || vuzed::StopSignal() != 0) break;
      form.ApplicationEvents1Idle();
    }
  }  // shut-down: the settings file is saved here
  return 0;
}
