#include "back/spell_back_texture.h"

#include "back/background.h"
#include "back/texture_list.h"
#include "game/game_context.h"

namespace vuzed {
namespace {

struct Movement {
  float X, Y;
};

// Scroll speed by pattern 0..18; 9 and 10 keep the movement they find, and 19
// and above do not move at all.
constexpr Movement kMovements[19] = {
    {0, 0},   {0, 4},      {0, 4},     {-4, 0},   {4, 0},    {2, -2.8f},  {2, 2.8f},
    {-2, 2.8f}, {-2, -2.8f}, {0, 0},   {0, 0},    {0, 12},   {0, 12},     {-12, 0},
    {12, 0},  {6, -8.4f},  {6, 8.4f},  {-6, 8.4f}, {-6, -8.4f},
};

// round(part / kFadeFrames x alpha), computed exactly, half to even: the
// alpha of a picture part of the way through the cross-fade.
uint8_t FadeAlpha(int32_t part, uint8_t alpha) {
  const int32_t n = part * alpha;
  int32_t q = n / TSpellBackTexture::kFadeFrames;
  const int32_t twice = 2 * (n % TSpellBackTexture::kFadeFrames);
  if (twice > TSpellBackTexture::kFadeFrames || (twice == TSpellBackTexture::kFadeFrames && q % 2 == 1)) ++q;
  return uint8_t(q);
}

}  // namespace

void TSpellBackTexture::SetPicture(int32_t picture, int32_t pattern, int32_t alpha) {
  PreviousPicture = Picture;
  PreviousAlpha = Alpha;
  FadeCounter = kFadeFrames;
  Picture = picture;
  if (picture == -1) return;
  const TMXTexture* texture = Context_.TextureList ? Context_.TextureList->Get(TPictureTable::Back, picture) : nullptr;
  if (!texture) {
    Picture = -1;
    return;
  }
  Pattern = uint8_t(pattern);
  Alpha = uint8_t(alpha);
  Width = texture->Width();
  Height = texture->Height();
  X = float(Width) / 2;
  Y = float(Height) / 2;
  if (Pattern < 19 && Pattern != 9 && Pattern != 10) {
    IdouX = kMovements[Pattern].X;
    IdouY = kMovements[Pattern].Y;
  }
  if (Context_.LayoutMode == LayoutVertical) {
    OriginX = 30;
    OriginY = 15;
  } else if (Context_.LayoutMode == LayoutSideways) {
    OriginX = 0;
    OriginY = 0;
  }
}

void TSpellBackTexture::Move() {
  if (Pattern < 19) TCharacter::Move();
  if (X > float(Width)) X -= float(Width);
  if (X < 0) X += float(Width);
  if (Y > float(Height)) Y -= float(Height);
  if (Y < 0) Y += float(Height);
}

void TSpellBackTexture::DrawCopy(int32_t picture, float x, float y, uint8_t alpha) {
  const TMXTexture* texture = Context_.TextureList ? Context_.TextureList->Get(TPictureTable::Back, picture) : nullptr;
  if (!texture || !Context_.BackGround) return;
  const uint32_t color = uint32_t(alpha) << 24 | 0x00FFFFFFu;
  const auto quad = CentredQuad(float(texture->Width()), float(texture->Height()), 0, color, 0, 0, texture->MaxU(),
                                texture->MaxV());
  Context_.BackGround->Scene().DrawSprite(MakePoint(x, y), quad, texture, 2, true, false, 0);
}

void TSpellBackTexture::Draw() {
  if (Picture == -1) return;
  uint8_t alpha = Alpha;
  if (FadeCounter > 0) {
    --FadeCounter;
    alpha = FadeAlpha(kFadeFrames - FadeCounter, Alpha);
    if (PreviousPicture != -1) DrawCopy(PreviousPicture, X, Y, FadeAlpha(FadeCounter, PreviousAlpha));
  }
  const float w = float(Width), h = float(Height);
  DrawCopy(Picture, X, Y, alpha);
  if (Y > h / 2) DrawCopy(Picture, X, Y - h, alpha);
  if (Y < h) DrawCopy(Picture, X, Y + h, alpha);
  if (X > w / 2) DrawCopy(Picture, X - w, Y, alpha);
  if (X < w) DrawCopy(Picture, X + w, Y, alpha);
  if (Y > h / 2 && X < w) DrawCopy(Picture, X + w, Y - h, alpha);
  if (Y > h / 2 && X > w / 2) DrawCopy(Picture, X - w, Y - h, alpha);
  if (Y < h && X < w) DrawCopy(Picture, X + w, Y + h, alpha);
  if (Y < h / 2 && X > w / 2) DrawCopy(Picture, X - w, Y + h, alpha);
  if (Context_.LayoutMode == LayoutSideways) {
    if (X < 2 * w) DrawCopy(Picture, X + 2 * w, Y, alpha);
    if (X > 2 * w) DrawCopy(Picture, X - 2 * w, Y, alpha);
  }
}

}  // namespace vuzed
