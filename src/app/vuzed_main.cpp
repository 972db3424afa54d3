// vuzed: the game. A game directory (data/ beside the executable, as in the
// build directory) is run from that directory, so data/ is the working
// directory's. An installed game reads its content from
// <prefix>/share/vuzed/data/ and keeps its settings, records and logs in the
// save directory (shell/game_folders.h). Every game played is recorded and
// saved to the replay folder; `vuzed --replay FILE` plays one back.

#include <SDL.h>

#include <csignal>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <system_error>

#include "engine/input/dik_codes.h"
#include "engine/input/key_map_input.h"
#include "engine/platform/clock.h"
#include "engine/platform/executable_directory.h"
#include "engine/platform/save_directory.h"
#include "engine/platform/sdl_audio_backend.h"
#include "engine/platform/stop_signals.h"
#include "engine/platform/video_platform.h"
#include "player/player_control.h"
#include "replay/recording_input.h"
#include "replay/replay_folder.h"
#include "replay/replay_input.h"
#include "replay/replay_player.h"
#include "replay/replay_reader.h"
#include "replay/replay_recorder.h"
#include "shell/game_folders.h"
#include "shell/main_form.h"
#include "shell/recorded_game.h"
#include "stage/script_run.h"

namespace {

const char* const kUsage =
    "usage: vuzed [--stage N | --replay FILE]\n"
    "  --stage N       practice: start stage N at once (1-4 the main game, 5 the\n"
    "                  extra stage, 10 the further stage); clears go on as usual\n"
    "  --replay FILE   watch a recorded game (F3/F4/F5 fast-forward, Esc ends it)\n"
    "  --help          this text\n"
    "Every game played is saved to $XDG_DATA_HOME/vuzed/replays/ (the newest 50).\n"
    "An installed game keeps its settings and records in $XDG_DATA_HOME/vuzed/information.ini\n"
    "(~/.local/share/vuzed/ when XDG_DATA_HOME is unset).\n";

// The stages a practice start may name: the main game's, the extra stage and
// the further stage.
bool IsStageNumber(const std::string& text, int& stage) {
  for (int n : {1, 2, 3, 4, 5, 10})
    if (text == std::to_string(n)) {
      stage = n;
      return true;
    }
  return false;
}

// A finished game goes to the replay folder; a game of no passes is not kept.
void SaveReplay(const vuzed::TReplay& replay) {
  if (replay.Passes == 0) return;
  const std::filesystem::path saves = vuzed::SaveDirectory();
  if (saves.empty()) return;
  std::string error;
  if (!vuzed::SaveToReplayFolder(saves / "replays", replay, std::time(nullptr), error))
    std::fprintf(stderr, "vuzed: the replay was not saved: %s\n", error.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  std::optional<vuzed::TReplay> replay;
  int practiceStage = 0;
  if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (argc == 3 && std::string(argv[1]) == "--stage") {
    if (!IsStageNumber(argv[2], practiceStage)) {
      std::fprintf(stderr, "vuzed: --stage takes 1, 2, 3, 4, 5 or 10, got \"%s\"\n%s", argv[2], kUsage);
      return 2;
    }
  } else if (argc == 3 && std::string(argv[1]) == "--replay") {
    // Read before changing directory: the name is relative to where we started.
    std::string error;
    replay = vuzed::ReadReplayFile(argv[2], error);
    if (!replay) {
      std::fprintf(stderr, "vuzed: %s\n", error.c_str());
      return 1;
    }
  } else if (argc != 1) {
    const std::string first = argv[1];
    if (argc == 2 && (first == "--stage" || first == "--replay"))
      std::fprintf(stderr, "vuzed: %s needs a value\n%s", argv[1], kUsage);
    else
      std::fprintf(stderr, "vuzed: unknown option \"%s\"\n%s", argv[1], kUsage);
    return 2;
  }

  const std::filesystem::path home = vuzed::ExecutableDirectory(argv[0]);
  vuzed::TGameFolders folders = vuzed::ChooseGameFolders(home, home, vuzed::SaveDirectory(), std::cerr);
  if (!folders.Installed) {
    std::error_code ec;
    std::filesystem::current_path(home, ec);
    if (ec) std::fprintf(stderr, "vuzed: cannot change into %s: %s\n", home.c_str(), ec.message().c_str());
    folders = vuzed::GameDirectoryFolders(".");
  }

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

  // Playing: the game reads the keys once per pass through the recorder.
  // Watching: it reads the replay's, with the live fast-forward keys.
  // Under the recorder, the player's keys become the game's own, so a replay
  // holds the game's buttons, not the keys that pressed them.
  vuzed::InputSource& live = video->Input();
  vuzed::TKeyMapInput keyMap(live);
  vuzed::TRecordingInput recording(keyMap);
  vuzed::TReplayRecorder recorder(recording, SaveReplay);
  std::optional<vuzed::TReplayInput> replayInput;
  std::optional<vuzed::TReplayPlayer> player;
  if (replay) {
    replayInput.emplace(replay->Input, &live);
    player.emplace(*replay, *replayInput, false, std::cerr);
  }

  vuzed::SystemClock clock;
  vuzed::TPlatform platform;
  platform.Audio = audio.get();
  platform.Render = &video->Render();
  platform.Window = &video->Window();
  platform.Input = replay ? static_cast<vuzed::InputSource*>(&*replayInput) : &recording;
  platform.KeyMap = &keyMap;
  platform.Time = &clock;

  {
    vuzed::TForm1 form(platform, folders);
    vuzed::TGameContext& c = form.Context();
    form.SetWatcher(player ? static_cast<vuzed::TGameWatcher*>(&*player) : &recorder);
    // The start-up timer fires once, about 1 ms after the window exists.
    platform.Window->ProcessMessages();
    clock.SleepMs(1);
    form.Timer1Timer();
    if (replay) {
      c.ScriptRun->SaveOnExit = false;
      vuzed::StartRecordedGame(form, *replay);
    } else if (practiceStage != 0) {
      // Straight into the stage, as the title's start does, past the opening.
      c.ChangeScene(vuzed::TScene::Game);
      c.PlayerControl->ResetPlayer();
      c.PlayerControl->Ship.Lives = 3;
      form.NewGame(practiceStage);
    }
    // A closed terminal (SIGHUP) ends the game as its window's close does.
    vuzed::WatchStopSignals({SIGHUP});
    while (!form.Closing()) {
      platform.Window->ProcessMessages();
      if (form.Closing() || vuzed::StopSignal() != 0) break;
      if (replay) {
        if (player->Ended() || live.IsKeyDown(vuzed::dik::ESCAPE)) break;
      } else {
        recording.Refresh();
      }
      form.ApplicationEvents1Idle();
    }
    recorder.Finish(c);
  }  // shut-down: the settings file is saved here (not after watching a replay)
  return 0;
}
