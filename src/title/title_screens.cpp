// The menu screens 0, 4, 5, 6 and 7: background, items, then the keys, each
// tested in turn (one frame can act on several).

#include "back/texture_list.h"
#include "engine/platform/window_host.h"
#include "game/game_context.h"
#include "state/state.h"
#include "title/title.h"
#include "title/title_draw.h"

namespace vuzed {
namespace {

constexpr int32_t kSubScreenBack = 20;

// The cursor moved by the stick within first..last, wrapping round at both ends.
int32_t MoveCursor(int32_t cursor, int32_t step, int32_t last) {
  cursor += step;
  if (cursor > last) return 0;
  if (cursor < 0) return last;
  return cursor;
}

}  // namespace

// Start, extra, others, quit; bomb jumps to quit.
void TTitle::StepMain(uint32_t color) {
  const int32_t back = MainBackPicture();
  DrawBack(back, color);
  if (Context_.TextureList)
    DrawScreenPicture(Context_, Context_.TextureList->TitleTexture(), 50, 50, color, kBlendAlpha);
  DrawItem(10, 500, 200, Cursor == 0);
  DrawItem(11, 500, 230, Cursor == 1);
  DrawItem(13, 500, 260, Cursor == 2);
  DrawItem(15, 500, 290, Cursor == 3);
  if (!InputOpen()) return;

  if (Shot()) {
    constexpr int32_t kTargets[] = {ScreenStart, ScreenExtra, ScreenSecond};
    if (Cursor >= 0 && Cursor <= 2) {
      Screen = kTargets[Cursor];
      Cursor = 0;
      StartFade(back);
    } else if (Cursor == 3 && Context_.Platform.Window) {
      Context_.Platform.Window->Close();
    }
    SelectSound();
    InputDelay = kKeyDelay;
  }
  if (Bomb()) {
    Cursor = 3;
    CursorSound();
    InputDelay = kKeyDelay;
  }
  if (int32_t y = StickY(); y != 0) {
    Cursor = MoveCursor(Cursor, y, 3);
    CursorSound();
    InputDelay = kKeyDelay;
  }
}

// Story mode starts the main game at stage 1; practice does nothing.
void TTitle::StepStart(uint32_t color) {
  const int32_t back = MainBackPicture();
  DrawBack(back, color);
  DrawItem(35, 200, 200, Cursor == 0);
  DrawItem(36, 200, 250, Cursor == 1);
  if (!InputOpen()) return;

  if (Button(0)) {
    if (Cursor == 0) StartGame(1);
    SelectSound();  // no input delay: held, it sounds every frame
  }
  if (Button(1)) {
    Cursor = 0;
    Screen = ScreenMain;
    CursorSound();
    StartFade(back);
    InputDelay = kKeyDelay;
  }
  const int32_t x = StickX(), y = StickY();
  if (x != 0 || y != 0) {
    if (y != 0) Cursor = MoveCursor(Cursor, y, 1);
    CursorSound();
    InputDelay = kKeyDelay;
  }
}

void TTitle::StepExtra(uint32_t color) {
  const int32_t back = MainBackPicture();
  DrawBack(back, color);
  DrawItem(34, 300, 200, true);
  if (!InputOpen()) return;

  if (Shot()) {
    StartGame(5);
    SelectSound();
    InputDelay = kKeyDelay;
  }
  if (Bomb()) {
    Screen = ScreenMain;
    StartFade(back);
    InputDelay = kKeyDelay;
  }
}

// Further stage, music room, and a third entry that stays here.
void TTitle::StepSecond(uint32_t color) {
  DrawBack(kSubScreenBack, color);
  DrawItem(12, 400, 100, Cursor == 1);
  if (!InputOpen()) return;

  if (Shot()) {
    if (Cursor == 0) {
      Screen = ScreenFurther;
    } else if (Cursor == 1) {
      if (Context_.State) Context_.State->StopMusic();
      Screen = ScreenMusicRoom;
    }
    Cursor = 0;
    StartFade(kSubScreenBack);
    SelectSound();
    InputDelay = kKeyDelay;
  }
  if (Bomb()) {
    Cursor = 0;
    Screen = ScreenMain;
    CursorSound();
    StartFade(kSubScreenBack);
    InputDelay = kKeyDelay;
  }
  if (int32_t y = StickY(); y != 0) {
    Cursor = MoveCursor(Cursor, y, 2);
    CursorSound();
    InputDelay = kKeyDelay;
  }
}

void TTitle::StepFurther(uint32_t color) {
  DrawBack(kSubScreenBack, color);
  if (!InputOpen()) return;

  if (Shot()) {
    if (Cursor == 0) StartGame(10);
    SelectSound();
    InputDelay = kKeyDelay;
  }
  if (Button(1)) {
    Cursor = 0;
    Screen = ScreenSecond;
    CursorSound();
    StartFade(kSubScreenBack);
    InputDelay = kKeyDelay;
  }
}

}  // namespace vuzed
