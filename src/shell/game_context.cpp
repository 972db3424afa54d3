#include "game/game_context.h"
#include "objects/rounding.h"

#include <cmath>
#include <system_error>

#include "back/background.h"
#include "back/sound_list.h"
#include "back/texture_list.h"
#include "enemy/enemy_control.h"
#include "engine/graphics/device.h"
#include "engine/input/input_device.h"
#include "engine/platform/clock.h"
#include "engine/sound/sound_device.h"
#include "player/player_control.h"
#include "stage/script_run.h"
#include "state/state.h"
#include "title/opening.h"
#include "title/title.h"

namespace vuzed {

TGameContext::TGameContext(const TPlatform& platform, std::filesystem::path root)
    : Platform(platform), Files(root), LogDirectory(std::move(root)) {
  Keys = platform.Input;
}

// Game objects go first, the engine components last: everything above the
// engine holds textures and scenes registered with the device.
TGameContext::~TGameContext() {
  Opening.reset();
  Title.reset();
  PlayerControl.reset();
  EnemyControl.reset();
  BackGround.reset();
  ScriptRun.reset();
  State.reset();
  SoundList.reset();
  TextureList.reset();
  Zudezu1.reset();
  Ruzud1.reset();
  Dovivez1.reset();
}

void TGameContext::ChangeScene(TScene next) {
  Scene = next;
  if (next == TScene::Title && Title) Title->ShowMainMenu(Title->Cursor);
}

void TGameContext::DelayTitleInput(int32_t frames) {
  if (Title) Title->InputDelay = frames;
}

std::optional<std::filesystem::path> TGameContext::SettingsFile() const {
  if (SettingsPath.empty()) return Files.Resolve("data\\information.ini");
  std::error_code ec;
  if (!std::filesystem::exists(SettingsPath, ec)) return std::nullopt;
  return SettingsPath;
}

int32_t TGameContext::GetNowTime() const {
  return RoundToInt32(Platform.Time->Seconds() * 1000.0);
}

}  // namespace vuzed
