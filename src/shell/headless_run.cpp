#include "shell/headless_run.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>

#include "back/background.h"
#include "enemy/enemy_control.h"
#include "enemy/laser_hooks.h"
#include "engine/graphics/device.h"
#include "engine/input/key_map_input.h"
#include "engine/platform/clock.h"
#include "engine/platform/executable_directory.h"
#include "engine/platform/null_render_backend.h"
#include "engine/platform/save_directory.h"
#include "engine/platform/scripted_input_source.h"
#include "shell/autoplay.h"
#include "engine/platform/sdl_audio_backend.h"
#include "engine/platform/video_platform.h"
#include "engine/platform/screenshot.h"
#include "engine/platform/stop_signals.h"
#include "engine/platform/window_host.h"
#include "player/player_control.h"
#include "stage/script_run.h"
#include "engine/platform/json_text.h"
#include "replay/recording_input.h"
#include "replay/replay_input.h"
#include "replay/replay_player.h"
#include "replay/replay_reader.h"
#include "replay/replay_recorder.h"
#include "replay/replay_writer.h"
#include "shell/game_folders.h"
#include "shell/main_form.h"
#include "shell/recorded_game.h"
#include "shell/rss_log.h"
#include "shell/run_options.h"
#include "shell/run_stats.h"
#include "state/state.h"

namespace vuzed {
namespace {

const char* SceneName(TScene scene) {
  switch (scene) {
    case TScene::Game: return "game";
    case TScene::Loading: return "loading";
    case TScene::Opening: return "opening";
    case TScene::Title: return "title";
    default: return "unknown";
  }
}

bool ReadWholeFile(const std::filesystem::path& path, std::string& text) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  text = s.str();
  return !in.bad();
}

}  // namespace

std::string SummaryLine(TForm1& form, int64_t frame) {
  TGameContext& c = form.Context();
  const TPlayer& ship = c.PlayerControl->Ship;
  const TEnemyControl& enemies = *c.EnemyControl;
  std::string line = "{\"frame\":" + JsonNumber(frame);
  line += ",\"scene\":" + JsonString(SceneName(c.Scene));
  line += ",\"mode\":" + JsonNumber(int64_t(c.ScriptRun->ScriptMode));
  line += ",\"time\":" + JsonNumber(int64_t(c.ScriptRun->MainCount));
  line += ",\"score\":" + JsonNumber(int64_t(c.State->Score));
  line += ",\"lives\":" + JsonNumber(int64_t(ship.Lives));
  line += ",\"bombs\":" + JsonNumber(int64_t(ship.Bombs));
  line += ",\"hp\":" + JsonNumber(int64_t(ship.Hp));
  line += ",\"power\":" + JsonNumber(ship.Power);
  line += ",\"graze\":" + JsonNumber(int64_t(ship.Graze));
  line += ",\"hits\":" + JsonNumber(int64_t(ship.HitsTaken));
  line += ",\"px\":" + JsonNumber(ship.X);
  line += ",\"py\":" + JsonNumber(ship.Y);
  line += ",\"enemies\":" + JsonNumber(int64_t(enemies.Enemies.size()));
  line += ",\"bullets\":" + JsonNumber(int64_t(enemies.Tamas.size()));
  line += ",\"items\":" + JsonNumber(int64_t(enemies.Items.size()));
  line += ",\"effects\":" + JsonNumber(int64_t(enemies.Effects.size()));
  line += "}";
  return line;
}

void DumpObjects(TForm1& form, std::ostream& out) {
  TGameContext& c = form.Context();
  const TPlayer& ship = c.PlayerControl->Ship;
  out << "{\"kind\":\"player\",\"x\":" << JsonNumber(ship.X) << ",\"y\":" << JsonNumber(ship.Y)
      << ",\"lives\":" << ship.Lives << ",\"bombs\":" << ship.Bombs << ",\"hp\":" << ship.Hp
      << ",\"power\":" << JsonNumber(ship.Power) << ",\"graze\":" << ship.Graze
      << ",\"bomb\":" << ship.BombTimer << ",\"invulnerable\":" << ship.InvulnerableTimer
      << ",\"alive\":" << (ship.Alive ? "true" : "false") << "}\n";
  const TEnemyControl& e = *c.EnemyControl;
  for (const auto& enemy : e.Enemies) {
    if (!enemy) continue;
    out << "{\"kind\":\"enemy\",\"class\":" << JsonString(enemy->ClassName()) << ",\"x\":" << JsonNumber(enemy->X)
        << ",\"y\":" << JsonNumber(enemy->Y) << ",\"hp\":" << enemy->Hp << ",\"count\":" << enemy->Count << "}\n";
  }
  // A bullet's position is its own (TamaX, TamaY); a laser adds its live
  // segments.
  for (const auto& bullet : e.Tamas) {
    if (!bullet) continue;
    out << "{\"kind\":\"bullet\",\"class\":" << JsonString(bullet->ClassName())
        << ",\"x\":" << JsonNumber(bullet->TamaX) << ",\"y\":" << JsonNumber(bullet->TamaY)
        << ",\"angle\":" << JsonNumber(bullet->Angle) << ",\"speed\":" << JsonNumber(bullet->Speed)
        << ",\"atari\":" << bullet->Atari << ",\"picture\":" << bullet->PictureID << ",\"count\":" << bullet->Count;
    if (int32_t segments = LaserSegmentCount(*bullet); segments >= 0) out << ",\"segments\":" << segments;
    out << "}\n";
  }
  auto dumpList = [&](const char* kind, const auto& list) {
    for (const auto& object : list) {
      if (!object) continue;
      out << "{\"kind\":\"" << kind << "\",\"class\":" << JsonString(object->ClassName())
          << ",\"x\":" << JsonNumber(object->X) << ",\"y\":" << JsonNumber(object->Y) << "}\n";
    }
  };
  dumpList("item", e.Items);
  dumpList("effect", e.Effects);
  // The 3D background while a set runs: its counter and where each segment
  // stands (the translation row of its local matrix).
  TBackGround& back = *c.BackGround;
  if (back.Set != 0) {
    out << "{\"kind\":\"background\",\"set\":" << back.Set << ",\"counter\":" << back.Counter << "}\n";
    for (int i = 0; i < TBackGround::kSegmentCount; ++i) {
      const TVZFrame* segment = back.Segment(i);
      const TVector t = segment ? MatrixTranslation(segment->Local) : TVector{};
      out << "{\"kind\":\"segment\",\"i\":" << i << ",\"x\":" << JsonNumber(t.X) << ",\"y\":" << JsonNumber(t.Y)
          << ",\"z\":" << JsonNumber(t.Z) << "}\n";
    }
  }
}

int RunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string error;
  std::optional<TRunOptions> parsed = ParseRunOptions(args, error);
  if (!parsed) {
    err << "vuzed-tool run: " << error << "\n";
    return 2;
  }
  const TRunOptions& options = *parsed;
  if (options.Help) {
    out << kRunHelp;
    return 0;
  }

  ScriptedInputSource input;
  if (!options.InputFile.empty()) {
    std::string text;
    if (!ReadWholeFile(options.InputFile, text)) {
      err << "vuzed-tool run: cannot read " << options.InputFile << "\n";
      return 1;
    }
    std::optional<ScriptedInputSource> script = ScriptedInputSource::Parse(text, error);
    if (!script) {
      err << options.InputFile << ":" << error << "\n";
      return 2;
    }
    input = std::move(*script);
  }
  // A replay to play is read whole first: a damaged one plays nothing.
  std::optional<TReplay> replay;
  if (!options.ReplayFile.empty()) {
    replay = ReadReplayFile(options.ReplayFile, error);
    if (!replay) {
      err << "vuzed-tool run: " << error << "\n";
      return 1;
    }
  }
  std::error_code ec;
  if (!std::filesystem::is_directory(options.Root, ec)) {
    err << "vuzed-tool run: " << options.Root << " is not a directory\n";
    return 1;
  }
  // Without --root: the current directory when it holds data/, else the
  // installed game, whose settings are kept in the save directory.
  const TGameFolders folders = options.RootGiven
                                   ? GameDirectoryFolders(options.Root)
                                   : ChooseGameFolders(options.Root, ExecutableDirectory(), SaveDirectory(), err);

  // The renderer: nothing drawn (null) or the real one in an off-screen window.
  std::unique_ptr<VideoPlatform> video;
  NullRenderBackend nullRender;
  nullRender.Record = false;  // nothing here looks at what it drew
  NullWindowHost nullWindow;
  if (options.VideoGl) {
    video = CreateSdlVideoPlatform(VideoOptions{true, false}, error);
    if (!video) {
      err << "vuzed-tool run: no OpenGL window: " << error << "\n";
      return 1;
    }
  }
  // Sound through SDL when it has an audio driver (SDL_AUDIODRIVER chooses;
  // "disk" writes the mix to a file); without one the run is silent.
  std::string audioError;
  std::unique_ptr<SdlAudioBackend> audio = SdlAudioBackend::Create(audioError);
  ManualClock clock;
  TPlatform platform;
  platform.Audio = audio.get();
  platform.Render = video ? &video->Render() : static_cast<RenderBackend*>(&nullRender);
  platform.Window = video ? &video->Window() : static_cast<WindowHost*>(&nullWindow);
  // The player's keys from the settings file, under the bot and the recorder.
  TKeyMapInput keyMap(input);
  TAutoplayInput bot(keyMap);
  InputSource& played = options.Autoplay ? static_cast<InputSource&>(bot) : keyMap;
  // Recording: the game reads the input once per pass through the recorder.
  // Replaying: the game reads the replay's input instead.
  const bool record = !options.RecordFile.empty();
  TRecordingInput recording(played);
  std::optional<TReplay> recorded;
  TReplayRecorder recorder(recording, [&](const TReplay& game) {
    if (!recorded) recorded = game;  // the run's first game
  });
  std::optional<TReplayInput> replayInput;
  std::optional<TReplayPlayer> player;
  if (replay) {
    replayInput.emplace(replay->Input, nullptr);
    player.emplace(*replay, *replayInput, options.Verify, err);
  }
  platform.Input = replay ? &*replayInput : record ? &recording : &played;
  platform.KeyMap = &keyMap;
  platform.Time = &clock;
  const int64_t frames = replay && !options.FramesGiven ? int64_t(replay->Passes) : options.Frames;

  TRssLog rss(options.RssLog);
  if (!rss.Ok()) {
    err << "vuzed-tool run: cannot write " << options.RssLog << "\n";
    return 1;
  }

  int status = 0;
  {
    TForm1 form(platform, folders);
    TGameContext& c = form.Context();
    if (player) form.SetWatcher(&*player);
    if (record) form.SetWatcher(&recorder);
    form.Timer1Timer();
    if (replay) {
      c.ScriptRun->SaveOnExit = false;
      StartRecordedGame(form, *replay);
      c.PlayerControl->Invincible = options.Invincible || replay->Invincible();
    } else {
      c.RandSeed = options.Seed;
      c.PlayerControl->Invincible = options.Invincible;
      if (!options.Boot) {
        c.ChangeScene(TScene::Game);
        c.PlayerControl->ResetPlayer();
        c.PlayerControl->Ship.Lives = 3;
        form.NewGame(options.Stage);
      }
    }

    RenderBackend& render = *platform.Render;
    TRunStats stats;
    int64_t frame = 0;
    // Ctrl+C, a kill or a closed terminal end the run after the pass in hand,
    // and it shuts down as the game does.
    WatchStopSignals({SIGINT, SIGTERM, SIGHUP});
    for (int64_t pass = 1; pass <= frames; ++pass) {
      clock.Now = double(pass) / 60.0;
      input.SetPass(pass);
      if (options.Autoplay) bot.Decide(c);
      if (record) recording.Refresh();
      int64_t renderedBefore = c.BackGround->RenderCount;
      if (options.Stats) stats.BeginPass(render);
      form.RunPass(float(clock.Now));
      if (options.Stats) stats.EndPass(render, *c.EnemyControl);
      frame = pass;

      for (const TScreenshotRequest& shot : options.Screenshots) {
        if (shot.Pass != pass) continue;
        std::vector<uint8_t> rgb;
        int width = 0, height = 0;
        if (c.BackGround->RenderCount == renderedBefore || !render.ReadFrontBuffer(rgb, width, height)) {
          err << "vuzed-tool run: pass " << pass << " rendered nothing; no screenshot " << shot.File << "\n";
          continue;
        }
        if (!WriteScreenshot(shot.File, rgb, width, height, error)) {
          err << "vuzed-tool run: " << error << "\n";
          status = 1;
        }
      }
      rss.AfterPass(form, pass);
      if (options.Trace > 0 && pass % options.Trace == 0 && pass != frames)
        out << SummaryLine(form, frame) << "\n";
      if (player && player->Desync()) break;
      if (form.Closing() || StopSignal() != 0) break;
    }
    recorder.Finish(c);
    rss.Finish(form, frame);
    if (options.Dump) DumpObjects(form, out);
    out << SummaryLine(form, frame) << "\n";
    out.flush();
    if (options.Stats) err << stats.Text() << "\n";
    if (player && player->Desync()) {
      err << "desync at pass " << *player->Desync() << "\n";
      status = 3;
    }
  }
  if (record) {
    if (!recorded) {
      err << "vuzed-tool run: no game was played; " << options.RecordFile << " not written\n";
    } else if (!WriteReplayFile(options.RecordFile, *recorded, error)) {
      err << "vuzed-tool run: " << error << "\n";
      status = 1;
    }
  }
  return status;
}

}  // namespace vuzed
