#include "title/title.h"

#include <cmath>

#include "engine/graphics/text_writer.h"
#include "engine/input/input_device.h"
#include "engine/sound/sound_channel.h"
#include "engine/sound/sound_device.h"
#include "player/player_control.h"
#include "game/game_context.h"
#include "objects/rounding.h"
#include "state/state.h"
#include "title/title_draw.h"

namespace vuzed {
namespace {

constexpr int32_t kIntroBackPicture = 30;
constexpr int kCursorChannel = 10;
constexpr int kSelectChannel = 11;
constexpr int32_t kNewGameLives = 3;

}  // namespace

TTitle::TTitle(TGameContext& context) : Context_(context) {
  Writer = std::make_unique<TVZTextWriter>(context.Dovivez1.get(), 16, fmt::A8R8G8B8);
  Writer->Font().Height = 20;
  MusicRoomTexts = LoadMusicRoomTexts(context.Files);
}

TTitle::~TTitle() = default;

void TTitle::Step() {
  const uint32_t color = StepFades();
  if (InputDelay > 0) --InputDelay;
  switch (Screen) {
    case ScreenMain: StepMain(color); break;
    case ScreenStart: StepStart(color); break;
    case ScreenExtra: StepExtra(color); break;
    case ScreenSecond: StepSecond(color); break;
    case ScreenFurther: StepFurther(color); break;
    case ScreenMusicRoom: StepMusicRoom(color); break;
    default: break;
  }
}

uint32_t TTitle::StepFades() {
  if (IntroCounter > 0) {
    --IntroCounter;
    DrawBack(kIntroBackPicture, 0xFFFFFFFF);
    return WhiteWithAlpha(RoundToInt32(double(kIntroFrames - IntroCounter) * 255.0 / kIntroFrames));
  }
  if (FadeCounter < 0) {
    ++FadeCounter;
    DrawBack(FadePicture, WhiteWithAlpha(RoundToInt32(double(-FadeCounter) * 255.0 / kFadeFrames)));
    return WhiteWithAlpha(RoundToInt32(double(FadeCounter + kFadeFrames) * 255.0 / kFadeFrames));
  }
  return 0xFFFFFFFF;
}

void TTitle::StartFade(int32_t backPicture) {
  FadePicture = backPicture;
  FadeCounter = -kFadeFrames;
}

// The main menu's background shows the all-cleared picture once the settings
// say the game was cleared.
int32_t TTitle::MainBackPicture() const { return Context_.State && Context_.State->AllCrear ? 1 : 0; }

void TTitle::ShowMainMenu(int32_t cursor) {
  Screen = ScreenMain;
  Cursor = cursor;
}

bool TTitle::Button(int button) const { return Context_.Ruzud1 && Context_.Ruzud1->IsPressed(button); }
bool TTitle::Shot() const { return Button(0) || Button(Context_.ShotButton); }
bool TTitle::Bomb() const { return Button(1) || Button(Context_.BombButton); }
int32_t TTitle::StickX() const { return Context_.Ruzud1 ? Context_.Ruzud1->GetDirections()[0] : 0; }
int32_t TTitle::StickY() const { return Context_.Ruzud1 ? Context_.Ruzud1->GetDirections()[1] : 0; }

void TTitle::CursorSound() {
  if (!Context_.Zudezu1) return;
  TZudezuChannel& channel = Context_.Zudezu1->Channel(kCursorChannel);
  channel.Stop();
  channel.Play();
}

void TTitle::SelectSound() {
  if (!Context_.Zudezu1) return;
  TZudezuChannel& channel = Context_.Zudezu1->Channel(kSelectChannel);
  channel.Stop();
  channel.Play();
}

// Every game begins with a fresh ship: full lives, and neither the graze
// count nor a finished game's state carried over from the last game.
void TTitle::StartGame(int32_t type) {
  Context_.ChangeScene(TScene::Game);
  if (Context_.PlayerControl) {
    Context_.PlayerControl->ResetPlayer();
    Context_.PlayerControl->Ship.Lives = kNewGameLives;
    Context_.PlayerControl->Ship.Graze = 0;
    Context_.PlayerControl->Ship.HitsTaken = 0;
  }
  if (OnGameStart) OnGameStart(type);
}

}  // namespace vuzed
