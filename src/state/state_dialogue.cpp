// The dialogue scenes' drawing; the scene logic is the stage director's
// (script/dialogue_runner.cpp). Each draw step counts DialogueFrame (t), the
// frames since the display opened; the director reads no dialogue line
// before the display has been drawn once.
//
// In this game a dialogue opened on a SLANT stage is drawn, and therefore
// advances, exactly as on a VERTICAL stage (the game state's Update calls
// DrawNovel and DrawAdv there as well); otherwise nothing would ever open
// its display and the scene could never be left but by backing out.
//
// Pictures: novel portraits come from the boss table, the ADV backdrop (19)
// and the text box (20) from the else table, and the sideways scene's
// pictures from the background table. A picture that is not loaded is not
// drawn.

#include <cmath>
#include <cstdint>

#include "back/texture_list.h"
#include "engine/graphics/texture.h"
#include "game/game_context.h"
#include "objects/rounding.h"
#include "state/state.h"

namespace vuzed {
namespace {

constexpr uint32_t kOpaqueWhite = 0xFFFFFFFF;
// The text box slides in and fades up over 20 frames; the ADV backdrop
// fades up to alpha 68 over the same time.
constexpr int32_t kFadeFrames = 20;
constexpr int32_t kBackdropAlpha = 68;
constexpr int32_t kTextBoxPicture = 20;
constexpr int32_t kAdvBackdropPicture = 19;

// White at alpha round(full x t / 20), rounded half to even.
uint32_t FadeColour(int32_t full, int32_t t) {
  const auto alpha = uint32_t(RoundToInt32(double(full) * double(t) / double(kFadeFrames)));
  return alpha << 24 | 0x00FFFFFF;
}

// The text box's colour and X at frame t: fading in and sliding from the
// right while 0 < t < 20, opaque at X 30 otherwise.
struct TBoxFade {
  uint32_t Colour = kOpaqueWhite;
  float X = 30;
};
TBoxFade BoxFade(int32_t t) {
  if (t > 0 && t < kFadeFrames) return {FadeColour(255, t), float(90 - 3 * t)};
  return {};
}

// One frame more of the display (held at the end of the range).
int32_t NextFrame(int32_t& frame) {
  if (frame < INT32_MAX) frame += 1;
  return frame;
}

}  // namespace

void TState::DrawNovel() {
  const int32_t t = NextFrame(DialogueFrame);
  const TBoxFade box = BoxFade(t);
  // Portraits: boss pictures; a number of 0 or less shows nothing.
  auto portrait = [&](int32_t picture, float x) {
    if (picture <= 0 || !Context_.TextureList) return;
    DrawPicture(x, 150, false, box.Colour, 0, false, Context_.TextureList->Get(TPictureTable::Boss, picture));
  };
  portrait(Dialogue.CenterPicture, 150);
  portrait(Dialogue.LeftPicture, 0);
  portrait(Dialogue.RightPicture, 300);
  DrawPicture(box.X, 340, false, box.Colour, 0, false, ElsePicture(kTextBoxPicture));
  if (t > kFadeFrames) DrawPicture(50, 360, false, Dialogue.TextColor, 0, false, Dialogue.TextLines[0].get());
  DrawPicture(50, 390, false, Dialogue.TextColor, 0, false, Dialogue.TextLines[1].get());
  DrawPicture(50, 420, false, Dialogue.TextColor, 0, false, Dialogue.TextLines[2].get());
}

void TState::DrawNovelSideways() {
  const int32_t t = NextFrame(DialogueFrame);
  const TBoxFade box = BoxFade(t);
  auto back = [&](int32_t picture) {
    return Context_.TextureList ? Context_.TextureList->Get(TPictureTable::Back, picture) : nullptr;
  };
  DrawPicture(0, 0, false, kOpaqueWhite, 0, false, back(Dialogue.BackPicture));
  if (t > kFadeFrames) {
    DrawPicture(200, 0, false, kOpaqueWhite, 0, false, back(Dialogue.CenterPicture));
    DrawPicture(60, 0, false, kOpaqueWhite, 0, false, back(Dialogue.LeftPicture));
    DrawPicture(340, 0, false, kOpaqueWhite, 0, false, back(Dialogue.RightPicture));
  }
  DrawPicture(box.X, 340, false, box.Colour, 0, false, ElsePicture(kTextBoxPicture));
  if (t > kFadeFrames) {
    DrawPicture(50, 360, false, Dialogue.TextColor, 0, false, Dialogue.TextLines[0].get());
    DrawPicture(50, 390, false, Dialogue.TextColor, 0, false, Dialogue.TextLines[1].get());
    DrawPicture(50, 420, false, Dialogue.TextColor, 0, false, Dialogue.TextLines[2].get());
  }
}

void TState::DrawAdv() {
  const int32_t t = NextFrame(DialogueFrame);
  const uint32_t backdrop = t >= 1 && t < kFadeFrames ? FadeColour(kBackdropAlpha, t)
                                                       : uint32_t(kBackdropAlpha) << 24 | 0x00FFFFFF;
  DrawPicture(50, 40, false, backdrop, 0, false, ElsePicture(kAdvBackdropPicture));
  if (t <= kFadeFrames) return;
  for (size_t i = 0; i < Dialogue.TextLines.size(); ++i)
    DrawPicture(50, float(110 + 30 * i), false, Dialogue.TextColor, 0, false, Dialogue.TextLines[i].get());
}

}  // namespace vuzed
