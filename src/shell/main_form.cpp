#include "shell/main_form.h"

#include <cmath>
#include <cstdio>
#include <exception>
#include <new>

#include "back/background.h"
#include "back/sound_list.h"
#include "back/texture_list.h"
#include "enemy/enemy_control.h"
#include "engine/graphics/device.h"
#include "engine/input/dik_codes.h"
#include "engine/input/input_device.h"
#include "engine/platform/clock.h"
#include "engine/platform/input_source.h"
#include "engine/sound/sound_device.h"
#include "objects/rounding.h"
#include "player/player_control.h"
#include "stage/script_run.h"
#include "state/state.h"
#include "title/opening.h"
#include "title/title.h"

namespace vuzed {
namespace {

// Sound effects put on fixed channels at start-up (volumes in hundredths of a
// decibel; wave numbers index the sound table).
struct ChannelSetup {
  int Channel;
  int Wave;
  int Volume;
};
constexpr ChannelSetup kStartupChannels[] = {
    {4, 2, -2300}, {6, 5, -1000}, {8, 11, -1000}, {10, 15, -1000}, {11, 16, -1000},
};

bool KeyDown(TGameContext& c, uint8_t dik) { return c.Platform.Input && c.Platform.Input->IsKeyDown(dik); }

}  // namespace

TForm1::TForm1(const TPlatform& platform, const std::filesystem::path& root)
    : TForm1(platform, GameDirectoryFolders(root)) {}

TForm1::TForm1(const TPlatform& platform, const TGameFolders& folders)
    : Context_(std::make_unique<TGameContext>(platform, folders.Root)) {
  TGameContext& c = *Context_;
  c.SettingsPath = folders.SettingsFile;
  c.LogDirectory = folders.LogDirectory;
  SavesSettings_ = folders.SavesSettings;
  c.Dovivez1 = std::make_unique<TDovivez>(*platform.Render, *platform.Window);
  c.Dovivez1->SetLogDirectory(c.LogDirectory);
  c.Dovivez1->SetDebugOption({true, true, true});
  c.Dovivez1->Loaded();
  c.Device = c.Dovivez1.get();
  c.Ruzud1 = std::make_unique<TRuzud>(platform.Input);
  c.Ruzud1->SetLogDirectory(c.LogDirectory);
  c.Ruzud1->SetBackGround(true);
  c.Ruzud1->Loaded();
  c.Pad = c.Ruzud1.get();
  c.Zudezu1 = std::make_unique<TZudezu>(platform.Audio);
  c.Zudezu1->SetChannelCount(12);
  c.Zudezu1->SetLogDirectory(c.LogDirectory);
  c.Zudezu1->Loaded();
  c.Mixer = c.Zudezu1.get();
  // FormCreate
  c.Dovivez1->ChangeToWindowMode(640, 480, {fmt::D16, fmt::D16_LOCKABLE, fmt::D32});
  c.StartTimeMs = c.GetNowTime();
}

TForm1::~TForm1() { FormDestroy(); }

void TForm1::FormDestroy() {
  if (Destroyed_) return;
  Destroyed_ = true;
  TGameContext& c = *Context_;
  c.ScriptRun.reset();  // saves the settings file
  c.EnemyControl.reset();
  c.PlayerControl.reset();
  c.TextureList.reset();
  c.SoundList.reset();
  c.Title.reset();
  c.BackGround.reset();
}

void TForm1::Timer1Timer() {
  TGameContext& c = *Context_;
  c.ChangeScene(TScene::Loading);

  c.TextureList = std::make_unique<TTextureList>(c);
  c.SoundList = std::make_unique<TSoundList>(c);
  c.State = std::make_unique<TState>(c);
  c.State->OnGameStart = [this](int32_t type) { GameStart(type); };
  c.ScriptRun = std::make_unique<TScriptRun>(c);
  c.ScriptRun->SaveOnExit = SavesSettings_;
  c.BackGround = std::make_unique<TBackGround>(c);

  c.ScriptRun->Initialize();

  c.EnemyControl = std::make_unique<TEnemyControl>(c);
  c.PlayerControl = std::make_unique<TPlayerControl>(c);
  c.Title = std::make_unique<TTitle>(c);
  c.Title->OnGameStart = [this](int32_t type) { NewGame(type); };
  c.Opening = std::make_unique<TOpening>(c);

  // Space and Escape stop being buttons 0 and 1; Escape or P is button 3
  // (pause / back), F1 is button 4 (quit).
  TRuzud& input = *c.Ruzud1;
  input.SetKey(1, 0, 0);
  input.SetKey(1, 1, 0);
  input.SetKey(0, 3, dik::ESCAPE);
  input.SetKey(1, 3, dik::P);
  input.SetKey(0, 4, dik::F1);

  c.KeyWait = 0;
  c.ShotButton = 0;
  c.BombButton = 1;
  c.SlowButton = 5;
  c.PauseButton = 4;
  c.QuitButton = 16;

  TZudezu& sound = *c.Zudezu1;
  sound.Channel(0).SetVolume(-1000);
  for (const ChannelSetup& setup : kStartupChannels) {
    TZudezuChannel& channel = sound.Channel(setup.Channel);
    channel.SetWaveData(c.SoundList->Get(setup.Wave));
    channel.SetVolume(setup.Volume);
  }

  c.State->PlayMusic(3);
  c.ChangeScene(TScene::Opening);
}

float TForm1::Now() const { return float(Context_->Platform.Time->Seconds()); }

void TForm1::ApplicationEvents1Idle() {
  TGameContext& c = *Context_;
  if (!c.Platform.Window->IsActive()) {
    c.Platform.Time->SleepMs(1);
    return;
  }
  float now = Now();
  bool fastForward = DrawDivisor() != 0;
  double remaining = c.FrameInterval - double(now - c.LastFrameTime);
  if (remaining > 0 && !fastForward) {
    // Not yet time for the next step. Sleep while more than about 2 ms remain
    // rather than spinning a core; the last moments are waited out by polling.
    if (remaining > 0.0025) c.Platform.Time->SleepMs(1);
    return;
  }
  RunPass(now);
}

int TForm1::DrawDivisor() const {
  TGameContext& c = *Context_;
  if (KeyDown(c, dik::F3)) return 10;
  if (KeyDown(c, dik::F4)) return 30;
  if (KeyDown(c, dik::F5)) return 200;
  return 0;
}

void TForm1::RunPass(float now) {
  TGameContext& c = *Context_;
  switch (c.Dovivez1->TestCooperativeLevel()) {
    case CooperativeLevel::NotReset:
      Close();
      c.Dovivez1->ResetDevice();
      return;
    case CooperativeLevel::Lost:
      return;
    case CooperativeLevel::Ok:
      break;
  }
  c.LastFrameTime = now;
  if (Watcher_) Watcher_->PassStarting(c);

  HandleSystemKeys();
  HandleWindowKeys();

  if (c.Scene == TScene::Game) {
    try {
      if (c.ScriptRun->ScriptMode == TScriptMode::Adv)
        UpdateAdventure();
      else
        UpdateGame();
    } catch (const std::bad_alloc&) {
      // Out of memory inside a step: that step is lost, the game goes on.
    } catch (const std::exception& e) {
      std::fprintf(stderr, "vuzed: error in a game step: %s\n", e.what());
    }
  }
  if (c.Scene == TScene::Title) c.Title->Step();
  if (c.Scene == TScene::Opening) c.Opening->Step();

  c.State->ShowFps(c.FpsValue);

  int divisor = DrawDivisor();
  if (divisor != 0) {
    // Fast-forward: every step runs, only every divisor-th is drawn, and the
    // background scrolls at double speed. Sprites of the skipped steps stay
    // queued and are drawn together.
    c.DrawSkipCount += 1;
    c.BackGround->Counter += 1;
    if (c.DrawSkipCount >= divisor) {
      c.DrawSkipCount = 0;
      c.BackGround->Render();
    }
  } else {
    c.BackGround->Render();
  }

  float sample = Now();
  c.FpsFrameCount += 1;
  if (c.FpsFrameCount >= 60) {
    double elapsed = double(sample) - c.FpsLastTime;
    // A clock that has not moved gives no sample (instead of a division by zero).
    if (elapsed > 0) c.FpsValue = RoundToInt32(6000.0 / elapsed);
    c.FpsLastTime = sample;
    c.FpsFrameCount = 0;
  }
  if (Watcher_) Watcher_->PassEnded(c);
}

void TForm1::HandleSystemKeys() {
  TGameContext& c = *Context_;
  TRuzud& input = *c.Ruzud1;
  input.Poll({0, 2});
  if (c.KeyWait > 0) c.KeyWait -= 1;

  TScriptRun& script = *c.ScriptRun;
  if ((input.IsPressed(c.ShotButton) || input.IsPressed(0)) && c.KeyWait == 0 && c.Scene == TScene::Game &&
      script.ScriptMode == TScriptMode::Paused)
    script.ScriptMode = TScriptMode::Running;

  if ((input.IsPressed(3) || input.IsPressed(c.PauseButton)) && c.KeyWait == 0) {
    if (c.Scene == TScene::Title) {
      if (c.Title->Screen != 0 || c.Title->Cursor != 3)
        c.Title->ShowMainMenu(3);
      else
        Close();
      c.KeyWait = 30;
    } else if (c.Scene == TScene::Game) {
      if (script.ScriptMode == TScriptMode::Running) {
        script.ScriptMode = TScriptMode::Paused;
      } else {
        script.EndGame();
        c.ChangeScene(TScene::Title);
      }
      c.KeyWait = 30;
    }
  }

  if ((input.IsPressed(4) || input.IsPressed(c.QuitButton)) && c.KeyWait == 0) Close();
}

void TForm1::UpdateGame() {
  TGameContext& c = *Context_;
  c.BackGround->Update();
  c.ScriptRun->RunFrame();
  c.PlayerControl->UpdatePlayer();
  c.EnemyControl->Update();
  c.State->Update();
  c.PlayerControl->DrawHitMarker();
}

void TForm1::UpdateAdventure() {
  TGameContext& c = *Context_;
  c.BackGround->Update();
  c.ScriptRun->RunFrame();
  c.State->Update();
}

void TForm1::NewGame(int32_t type) {
  if (Watcher_) Watcher_->GameStarting(*Context_, type);
  GameStart(type);
}

void TForm1::GameStart(int32_t type) {
  TGameContext& c = *Context_;
  c.ScriptRun->LoadStage(type);
  if (Watcher_) Watcher_->StageLoaded(c, type);
  TBackGround& back = *c.BackGround;
  switch (type) {
    case 0:
    case 1:
      back.SetupSetA();
      back.Set = 1;
      break;
    case 2:
    case 3:
      back.SetupSetC();
      back.Set = 3;
      break;
    case 4:
    case 5:
      back.SetupSetB();
      back.Set = 2;
      break;
    default:
      back.ResetScene();
      break;
  }
  c.State->ResetStage();
  c.State->StartStage(type);
}

void TForm1::Close() { Context_->Platform.Window->Close(); }

bool TForm1::Closing() const { return Context_->Platform.Window->CloseRequested(); }

}  // namespace vuzed
