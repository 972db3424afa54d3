#include "title/title_draw.h"

#include <algorithm>

#include "back/background.h"
#include "back/texture_list.h"
#include "engine/graphics/scene.h"
#include "engine/graphics/texture.h"
#include "game/game_context.h"
#include "title/title.h"

namespace vuzed {
namespace {

constexpr uint32_t kSelectedColor = 0xFFFFFFFF;
constexpr uint32_t kUnselectedColor = 0xFF777777;

}  // namespace

uint32_t WhiteWithAlpha(int32_t alpha) { return uint32_t(std::clamp(alpha, 0, 255)) << 24 | 0x00FFFFFFu; }

void DrawScreenPicture(TGameContext& context, const TMXTexture* picture, float x, float y, uint32_t color,
                       int32_t blendMode) {
  if (!picture || !context.BackGround) return;
  const float w = float(picture->Width()), h = float(picture->Height());
  const float u = picture->MaxU(), v = picture->MaxV();
  const TSpriteVertex quad[4] = {MakeSpriteVertex(color, 0, 0, 0, 0), MakeSpriteVertex(color, w, 0, u, 0),
                                 MakeSpriteVertex(color, 0, h, 0, v), MakeSpriteVertex(color, w, h, u, v)};
  context.BackGround->Scene().DrawSprite(MakePoint(x, y), quad, picture, blendMode, false, true, 0);
}

void TTitle::DrawBack(int32_t picture, uint32_t color) const {
  if (!Context_.TextureList) return;
  DrawScreenPicture(Context_, Context_.TextureList->Get(TPictureTable::Back, picture), 0, 0, color, kBlendAlpha);
}

void TTitle::DrawItem(int32_t picture, float x, float y, bool selected) const {
  if (!Context_.TextureList) return;
  DrawScreenPicture(Context_, Context_.TextureList->Get(TPictureTable::Else, picture), x, y,
                    selected ? kSelectedColor : kUnselectedColor, kBlendAdditive);
}

}  // namespace vuzed
