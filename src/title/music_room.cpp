// Screen 8, the music room: seven tracks in two columns (cursor 0-3 the left
// column, 4-6 the right; 7-9 are empty places), the chosen track's
// description on a panel below.

#include <climits>
#include <cmath>

#include "back/texture_list.h"
#include "engine/graphics/text_writer.h"
#include "engine/graphics/texture.h"
#include "game/game_context.h"
#include "objects/rounding.h"
#include "state/state.h"
#include "title/title.h"
#include "title/title_draw.h"

namespace vuzed {
namespace {

constexpr int32_t kMusicRoomBack = 20;
constexpr int32_t kPanelPicture = 20;  // else table
constexpr int32_t kTitleMusic = 3;
constexpr int32_t kLastPlace = 9;

struct TTrackItem {
  int32_t Picture;  // else table
  float X, Y;
};
// Entry k is music track k + 1 and cursor place k.
constexpr TTrackItem kTrackItems[kMusicRoomTracks] = {
    {70, 50, 100}, {71, 50, 150}, {72, 50, 200}, {73, 50, 250}, {74, 350, 100}, {75, 350, 150}, {76, 350, 200},
};

// The panel slides in from the right and fades in over its first 19 frames.
constexpr int32_t kPanelSlideFrames = 20;
constexpr float kPanelY = 340;
constexpr float kLineX = 50;
constexpr float kLineY[kDescriptionLineCount] = {360, 380, 400};

}  // namespace

void TTitle::StepMusicRoom(uint32_t color) {
  DrawBack(kMusicRoomBack, color);
  for (int k = 0; k < kMusicRoomTracks; ++k)
    DrawItem(kTrackItems[k].Picture, kTrackItems[k].X, kTrackItems[k].Y, Cursor == k);
  RenderPendingDescription();
  DrawPanel();
  if (InputOpen()) MusicRoomInput();
}

void TTitle::RenderPendingDescription() {
  if (!PendingDescription) return;
  for (auto& line : DescriptionLines) line.reset();
  std::vector<std::string> lines = SplitDescription(*PendingDescription);
  for (size_t i = 0; i < lines.size(); ++i)
    DescriptionLines[i] = Writer->CreateTextTexture(lines[i], GameTextureFormats(), "");
  PendingDescription.reset();
  InputDelay = kDescriptionDelay;
}

void TTitle::DrawPanel() {
  if (PanelCounter < INT32_MAX) ++PanelCounter;
  uint32_t color = 0xFFFFFFFF;
  float x = 30;
  if (PanelCounter < kPanelSlideFrames) {
    color = WhiteWithAlpha(RoundToInt32(double(PanelCounter) * 255.0 / kPanelSlideFrames));
    x = float(90 - 3 * PanelCounter);
  }
  if (Context_.TextureList)
    DrawScreenPicture(Context_, Context_.TextureList->Get(TPictureTable::Else, kPanelPicture), x, kPanelY, color,
                      kBlendAlpha);
  if (PanelCounter <= kPanelSlideFrames) return;
  for (int i = 0; i < kDescriptionLineCount; ++i)
    DrawScreenPicture(Context_, DescriptionLines[size_t(i)].get(), kLineX, kLineY[i], 0xFFFFFFFF, kBlendAlpha);
}

void TTitle::MusicRoomInput() {
  if (Button(0)) {
    if (Cursor >= 0 && Cursor < kMusicRoomTracks) {
      PendingDescription = MusicRoomTexts[size_t(Cursor)];
      if (Context_.State) {
        Context_.State->StopMusic();
        Context_.State->PlayMusic(Cursor + 1);
      }
    }
    SelectSound();  // no input delay: the description sets one next frame
  }
  if (Button(1)) {
    Cursor = 0;
    Screen = ScreenSecond;
    CursorSound();
    StartFade(kMusicRoomBack);
    if (Context_.State) {
      Context_.State->StopMusic();
      Context_.State->PlayMusic(kTitleMusic);
    }
    InputDelay = kKeyDelay;
  }
  const int32_t x = StickX(), y = StickY();
  if (x == 0 && y == 0) return;
  // Down and up step through all ten places; right and left jump three
  // places, wrapping 10-12 to 0-2 and -3..-1 to 6-8.
  if (y > 0) Cursor = Cursor + 1 > kLastPlace ? 0 : Cursor + 1;
  if (y < 0) Cursor = Cursor - 1 < 0 ? kLastPlace : Cursor - 1;
  if (x > 0) {
    Cursor += 3;
    if (Cursor > kLastPlace) Cursor -= 10;
  }
  if (x < 0) {
    Cursor -= 3;
    if (Cursor < 0) Cursor += 9;
  }
  CursorSound();
  InputDelay = kKeyDelay;
}

}  // namespace vuzed
