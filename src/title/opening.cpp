#include "title/opening.h"

#include <cmath>

#include "back/texture_list.h"
#include "engine/graphics/scene.h"
#include "engine/graphics/texture.h"
#include "engine/input/input_device.h"
#include "back/background.h"
#include "game/game_context.h"
#include "objects/rounding.h"
#include "title/title.h"
#include "title/title_draw.h"

namespace vuzed {
namespace {

constexpr const char* kLogoPath = "data\\Graphic\\Other\\9.bmp";
constexpr int32_t kBackPicture = 30;
constexpr float kLogoX = 300, kLogoY = 200;

}  // namespace

// Like the picture tables: no file, no texture; a file that cannot be read
// is named in the device log by the loader and leaves the logo out.
TOpening::TOpening(TGameContext& context) : Context_(context) {
  auto file = context.Files.Resolve(kLogoPath);
  if (!file) return;
  auto logo = std::make_unique<TMXTexture>(context.Dovivez1.get(), GameTextureFormats(), 0, d3d::POOL_MANAGED, 0, "");
  logo->LoadFromFile(file->string());
  if (logo->HasTexture()) Logo_ = std::move(logo);
}

TOpening::~TOpening() = default;

int32_t TOpening::LogoAlpha(int32_t t) {
  if (t < kFadeFrames) return RoundToInt32(double(t) * 255.0 / kFadeFrames);
  if (t > kLastFrame - kFadeFrames) return RoundToInt32(double(kLastFrame - t) * 255.0 / kFadeFrames);
  return 255;
}

void TOpening::Step() {
  Counter += 1;
  const int32_t t = Counter;
  const uint32_t logoColor = WhiteWithAlpha(LogoAlpha(t));

  if (Context_.TextureList)
    DrawScreenPicture(Context_, Context_.TextureList->Get(TPictureTable::Back, kBackPicture), 0, 0, 0xFFFFFFFF,
                      kBlendAlpha);

  if (Logo_ && Context_.BackGround) {
    // Half the width, scaled by the cosine of the turn (t / 10 radians): the
    // logo narrows to a line and shows mirrored while the cosine is negative.
    // The corners are (-k, 0), (k, 0), (-k, h), (k, h). A negative k is drawn
    // as the same picture with its texture coordinates swapped instead, so
    // the quad keeps the winding of every other sprite and is never culled.
    const float k = float(std::cos(double(t) / 10.0) * double(Logo_->Width()) / 2.0);
    const float half = std::fabs(k);
    const float h = float(Logo_->Height());
    const float v = Logo_->MaxV();
    const float uLeft = k < 0 ? Logo_->MaxU() : 0, uRight = k < 0 ? 0 : Logo_->MaxU();
    const TSpriteVertex quad[4] = {
        MakeSpriteVertex(logoColor, -half, 0, uLeft, 0), MakeSpriteVertex(logoColor, half, 0, uRight, 0),
        MakeSpriteVertex(logoColor, -half, h, uLeft, v), MakeSpriteVertex(logoColor, half, h, uRight, v)};
    Context_.BackGround->Scene().DrawSprite(MakePoint(kLogoX, kLogoY), quad, Logo_.get(), kBlendAlpha, false, true, 0);
  }

  const TRuzud* input = Context_.Ruzud1.get();
  const bool shot = input && (input->IsPressed(Context_.ShotButton) || input->IsPressed(0));
  if (shot || t > kLastFrame) {
    Context_.ChangeScene(TScene::Title);
    Context_.DelayTitleInput(kTitleInputDelay);
  }
}

}  // namespace vuzed
