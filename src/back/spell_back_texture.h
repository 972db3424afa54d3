#pragma once
// TSpellBackTexture: one spell-card background layer. It shows a back
// picture as an endlessly wrapping, scrolling tiled pattern, with a one-second
// cross-fade whenever its picture changes. X, Y is the scroll point and
// IdouX, IdouY the scroll speed.

#include <cstdint>

#include "objects/character.h"

namespace vuzed {

struct TGameContext;

class TSpellBackTexture : public TCharacter {
 public:
  static constexpr int kFadeFrames = 60;

  explicit TSpellBackTexture(TGameContext& context) : Context_(context) {}

  // Switches to back picture p (-1 = off) with a movement pattern and an
  // opacity; a picture missing from the table switches the layer off.
  void SetPicture(int32_t picture, int32_t pattern, int32_t alpha);
  // Scrolls by the pattern's movement and wraps around the picture's size.
  void Move() override;
  // Queues the tiled copies (behind every screen sprite).
  void Draw() override;
  const char* ClassName() const override { return "TSpellBackTexture"; }

  uint8_t Pattern = 0;
  int32_t Picture = -1;
  int32_t PreviousPicture = -1;
  uint8_t Alpha = 0;
  uint8_t PreviousAlpha = 0;
  int32_t FadeCounter = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t OriginX = 0;
  int32_t OriginY = 0;

 private:
  void DrawCopy(int32_t picture, float x, float y, uint8_t alpha);

  TGameContext& Context_;
};

}  // namespace vuzed
