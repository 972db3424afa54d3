#pragma once
// TDialogueDisplay: what the dialogue scenes show, as the stage director's
// dialogue commands leave it and the game state draws it: the rendered text
// lines, their colour, the portraits and backdrop, and the ADV cut-in.

#include <array>
#include <cstdint>
#include <memory>

#include "engine/graphics/texture.h"

namespace vuzed {

struct TDialogueDisplay {
  static constexpr int kTextLineSlots = 12;
  std::array<std::unique_ptr<TMXTexture>, kTextLineSlots> TextLines;  // novel mode uses 0..2
  int32_t TextLineCount = -1;   // last filled ADV slot, -1 = page empty
  uint32_t TextColor = 0xFFFFFFFF;
  int32_t BackPicture = -1;     // picture numbers, -1 = none
  int32_t CenterPicture = -1;
  int32_t LeftPicture = -1;
  int32_t RightPicture = -1;
  int32_t CutInPicture = -1;    // else picture sliding across during ADV scenes
  int32_t CutInFrame = -1;      // -1 = no cut-in
  int32_t CutInX = 440;
};

}  // namespace vuzed
