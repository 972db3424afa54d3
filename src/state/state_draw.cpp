// The status display's two drawing primitives: a picture and a number made
// of the digit pictures. Both queue alpha-blended screen sprites.

#include <algorithm>
#include <string>

#include "back/background.h"
#include "back/texture_list.h"
#include "engine/graphics/scene.h"
#include "engine/graphics/texture.h"
#include "game/game_context.h"
#include "state/state.h"

namespace vuzed {
namespace {

constexpr uint32_t kOpaqueWhite = 0xFFFFFFFF;
constexpr int32_t kAlphaBlend = 2;
// Each digit of a number advances this many pixels at scale 1.
constexpr float kDigitPitch = 20;

uint32_t FadedWhite(int32_t fade, int32_t step) {
  const int32_t alpha = std::clamp(255 - step * fade, 0, 255);
  return uint32_t(alpha) << 24 | 0x00FFFFFF;
}

// The bottom edge of a shaded picture: red, green and blue each 0x44 darker
// (stopping at 0, so one channel never borrows from the next).
uint32_t Shaded(uint32_t colour) {
  uint32_t out = colour & 0xFF000000;
  for (int shift = 0; shift <= 16; shift += 8) {
    const uint32_t c = colour >> shift & 0xFF;
    out |= (c > 0x44 ? c - 0x44 : 0) << shift;
  }
  return out;
}

void QueueSprite(TGameContext& context, float x, float y, float width, float height, uint32_t top,
                 uint32_t bottom, const TMXTexture& texture) {
  if (!context.BackGround) return;
  const float u = texture.MaxU(), v = texture.MaxV();
  const TSpriteVertex quad[4] = {
      MakeSpriteVertex(top, 0, 0, 0, 0),
      MakeSpriteVertex(top, width, 0, u, 0),
      MakeSpriteVertex(bottom, 0, height, 0, v),
      MakeSpriteVertex(bottom, width, height, u, v),
  };
  context.BackGround->Scene().DrawSprite(MakePoint(x, y), quad, &texture, kAlphaBlend, true, true, 0);
}

}  // namespace

const TMXTexture* TState::ElsePicture(int32_t n) const {
  return Context_.TextureList ? Context_.TextureList->Get(TPictureTable::Else, n) : nullptr;
}

void TState::DrawPicture(float x, float y, bool shade, uint32_t colour, int32_t fade, bool fadeOn,
                         const TMXTexture* texture, float height, float width) {
  if (!texture) return;
  const uint32_t top = fadeOn ? FadedWhite(fade, 5) : colour;
  const uint32_t bottom = shade ? Shaded(top) : top;
  const float w = width == -1 ? float(texture->Width()) : width;
  const float h = height == -1 ? float(texture->Height()) : height;
  QueueSprite(Context_, x, y, w, h, top, bottom, *texture);
}

void TState::DrawNumber(float x, float y, float scale, int32_t fade, bool fadeOn, int64_t value) {
  const uint32_t top = fadeOn ? FadedWhite(fade, 6) : kOpaqueWhite;
  const uint32_t bottom = Shaded(top);
  const uint64_t magnitude = value < 0 ? 0 - uint64_t(value) : uint64_t(value);
  const std::string digits = std::to_string(magnitude);
  const int count = int(digits.size());
  for (int k = 0; k < count; ++k) {
    const TMXTexture* digit = ElsePicture(digits[size_t(count - 1 - k)] - '0');
    if (!digit) return;
    QueueSprite(Context_, x - scale * kDigitPitch * float(k), y, float(digit->Width()) * scale,
                float(digit->Height()) * scale, top, bottom, *digit);
  }
}

}  // namespace vuzed
