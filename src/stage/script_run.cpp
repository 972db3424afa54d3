#include "stage/script_run.h"

#include <chrono>
#include <cstdio>
#include <limits>

#include "back/background.h"
#include "back/sound_list.h"
#include "back/texture_list.h"
#include "enemy/enemy_control.h"
#include "engine/graphics/device.h"
#include "engine/graphics/texture.h"
#include "engine/input/key_map_input.h"
#include "player/player_control.h"
#include "game/game_context.h"
#include "state/ini_file.h"
#include "state/settings_file.h"
#include "state/state.h"

namespace vuzed {
namespace {

constexpr const char* kLoadingPicturePath = "data\\Graphic\\Other\\10.bmp";

// Script reports go to the engine log of the game's device.
void WriteEngineLog(TGameContext& context, const std::string& text) {
  if (context.Dovivez1) context.Dovivez1->Log().WriteLog(text);
}

}  // namespace

// Every enemy and bullet sees the director's variables: a new or a freed
// director changes their scopes.
TScriptRun::TScriptRun(TGameContext& context) : Context_(context) {
  EnterPlayfield(Context_.Stage, this);
  Errors.Log = [this](const std::string& message) { WriteEngineLog(Context_, message); };
  AllScopesChanged();
}

TScriptRun::~TScriptRun() {
  LeavePlayfield(Context_.Stage, this);
  AllScopesChanged();
  if (SaveOnExit) SaveInformation();
}

void TScriptRun::ShowLoadingPicture(TMXTexture& picture) {
  TDovivez& device = *Context_.Dovivez1;
  TVZScene& scene = Context_.BackGround->Scene();
  const float w = float(picture.Width()), h = float(picture.Height());
  const uint32_t white = 0xFFFFFFFFu;
  const TSpriteVertex quad[4] = {
      MakeSpriteVertex(white, 0, 0, 0, 0),
      MakeSpriteVertex(white, w, 0, picture.MaxU(), 0),
      MakeSpriteVertex(white, 0, h, 0, picture.MaxV()),
      MakeSpriteVertex(white, w, h, picture.MaxU(), picture.MaxV()),
  };
  device.BeginScene();
  scene.Clear(d3d::CLEAR_TARGET, 0, 1.0f, 0);
  if (picture.HasTexture()) scene.DrawSprite(MakePoint(0, 0), quad, &picture, 0, false, true, 0);
  scene.Render(nullptr);
  device.EndScene();
  device.Present();
}

void TScriptRun::Initialize() {
  // The loading picture, shown once while everything else loads.
  auto loading = std::make_unique<TMXTexture>(Context_.Dovivez1.get(), GameTextureFormats(), 0,
                                              d3d::POOL_MANAGED, 0, "");
  if (auto file = Context_.Files.Resolve(kLoadingPicturePath)) loading->LoadFromFile(file->string());
  ShowLoadingPicture(*loading);

  // Settings, display mode and every picture and sound, only when the
  // settings file exists (the game never creates it).
  if (auto file = Context_.SettingsFile()) {
    TIniFile::RemoveStaleTemporaries(*file);
    TSettings settings;
    std::vector<std::string> warnings;
    ReadSettings(*file, settings, &warnings);
    for (const std::string& w : warnings) {
      std::fprintf(stderr, "%s\n", w.c_str());
      WriteEngineLog(Context_, w);
    }
    if (Context_.Platform.KeyMap) Context_.Platform.KeyMap->SetMap(settings.Keys);
    FullScreen = settings.FullScreen;
    TState& state = *Context_.State;
    state.ScoreTable = settings.ScoreTable;
    state.AllCrear = settings.AllCrear;
    state.WhetherExtraOpen = settings.WhetherExtraOpen;
    state.AllTime = settings.AllTime;
    state.PlayTime = settings.PlayTime;
    state.WhetherMusic = settings.WhetherMusic;
    state.MusicVolume = settings.MusicVolume;
    state.SEVolume = settings.SEVolume;

    if (!FullScreen) {
      Context_.Dovivez1->ChangeToWindowMode(640, 480, {fmt::D16, fmt::D16_LOCKABLE, fmt::D32});
    } else {
      Context_.Dovivez1->ChangeToFullScreen(640, 480, fmt::X8R8G8B8, {fmt::D16, fmt::D16_LOCKABLE, fmt::D32});
      ShowLoadingPicture(*loading);
    }
    Context_.BackGround->ResetScene();
    Context_.TextureList->LoadTables();
    Context_.SoundList->LoadTable();
  }

  Context_.FrameInterval = 1.0 / 60.0;
  // Seeded from the clock; headless runs seed it again before the stage starts.
  Context_.RandSeed = uint32_t(std::chrono::steady_clock::now().time_since_epoch().count());

  TextWriter = std::make_unique<TVZTextWriter>(Context_.Dovivez1.get(), 16, fmt::A8R8G8B8);
  TextWriter->Font().Height = 20;
}

void TScriptRun::LoadStage(int32_t type) {
  std::string path = "data\\Script\\Stage" + std::to_string(type) + ".txt";
  if (!Context_.Files.Exists(path)) return;
  if (Context_.EnemyControl) Context_.EnemyControl->KillAllEnemies();

  Errors.Clear();
  TCompileDiagnostics diagnostics;
  CompileStage(Context_.Files, path, Script, &diagnostics);
  for (const std::string& message : diagnostics.Messages()) {
    std::fprintf(stderr, "%s\n", message.c_str());
    WriteEngineLog(Context_, message);
  }

  if (const TSecondStringList2* opening = Script.Procedures.Find("OPENING")) {
    Budget_.BeginFrame();
    SetLocalVars(*opening->Vars);
    RunProcedure(*opening, true);
    SetLocalVars(nullptr);
  }
  MainCount = 0;
  ScriptMode = TScriptMode::Running;
  Active = true;
}

void TScriptRun::RunFrame() {
  // Paused (1) and the dialogue modes (2, 3) keep the stage clock standing;
  // the dialogue scenes run their own step instead of MAIN.
  if (!Active) return;
  if (ScriptMode == TScriptMode::Novel) return RunNovel();
  if (ScriptMode == TScriptMode::Adv) return RunAdv();
  if (ScriptMode != TScriptMode::Running) return;
  SetLocalVars(nullptr);
  // A script may set the clock anywhere (SETMAINCOUNT); it stops at its
  // largest value instead of overflowing.
  if (MainCount < std::numeric_limits<int32_t>::max()) MainCount += 1;
  if (const TSecondStringList2* main = Script.Procedures.Find("MAIN")) {
    // MAIN runs with its own variables current, so its VAR section works.
    SetLocalVars(*main->Vars);
    Budget_.BeginFrame();
    RunProcedure(*main, false);
    SetLocalVars(nullptr);
  }
}

void TScriptRun::EndGame() {
  Script.Clear();
  GlobalVars = TVarTable{};
  SetLocalVars(nullptr);
  DialogueLines = nullptr;
  DialogueLine = 0;
  if (Context_.BackGround) {
    Context_.BackGround->Set = 0;
    for (int layer = 0; layer < 3; ++layer) Context_.BackGround->FarPicture().Layer(layer).SetPicture(-1, 0, 0);
  }
  if (Context_.EnemyControl) {
    Context_.EnemyControl->FreeAllEnemies();
    Context_.EnemyControl->ClearTamas();
  }
  if (Context_.PlayerControl) Context_.PlayerControl->ClearShots();
  if (Context_.State) Context_.State->ResetStage();
}

void TScriptRun::SaveInformation() {
  auto file = Context_.SettingsFile();
  if (!file) return;
  const TState* state = Context_.State.get();
  if (!state) return;
  TSettings settings;
  settings.FullScreen = FullScreen;
  settings.ScoreTable = state->ScoreTable;
  settings.WhetherExtraOpen = state->WhetherExtraOpen;
  settings.PlayTime = state->PlayTime;
  int32_t now = Context_.GetNowTime();
  int32_t allTime = AccumulatePlayTime(state->AllTime, now, Context_.StartTimeMs);
  std::string why;
  if (SaveSettings(*file, settings, allTime, &why)) {
    Context_.StartTimeMs = now;
    return;
  }
  // Nothing the player saved may go silently: say why on stderr and in the log.
  const std::string message = file->string() + ": the settings and records could not be saved: " + why;
  std::fprintf(stderr, "%s\n", message.c_str());
  WriteEngineLog(Context_, message);
}

}  // namespace vuzed
