#include "back/background.h"

#include "engine/graphics/device.h"
#include "script/script_run.h"
#include "shell/game_context.h"

namespace vuzed {

TMostBackGroundPicture::TMostBackGroundPicture(TGameContext& context) {
  for (auto& layer : Layers_) layer = std::make_unique<TSpellBackTexture>(context);
}

TBackGround::TBackGround(TGameContext& context)
    : Context_(context),
      Scene_(std::make_unique<TVZScene>(context.Dovivez1.get(), "Scene2")),
      FarPicture_(std::make_unique<TMostBackGroundPicture>(context)),
      Front_(std::make_unique<TFrontBackGround>()) {}

TBackGround::~TBackGround() = default;

void TBackGround::ResetScene() {
  Scene_.reset();
  Scene_ = std::make_unique<TVZScene>(Context_.Dovivez1.get(), "Scene2");
}

void TBackGround::SetupSetA() { Counter = 0; }
void TBackGround::SetupSetB() { Counter = 0; }
void TBackGround::SetupSetC() { Counter = 0; }

void TBackGround::Update() {
  bool adventure = Context_.ScriptRun && Context_.ScriptRun->ScriptMode == 3;
  if (!adventure) {
    switch (Set) {
      case 1: Counter += 1; break;
      case 3: Counter += 2; break;
      case 2: Counter += 1; break;
      default: break;
    }
  }
  for (int layer = 0; layer < 3; ++layer) {
    FarPicture_->Layer(layer).Move();
    FarPicture_->Layer(layer).Draw();
  }
}

bool TBackGround::Render() {
  TDovivez& device = *Context_.Dovivez1;
  ++RenderCount;
  device.BeginScene();
  uint32_t flags = d3d::CLEAR_TARGET | (device.Windowed() ? 0 : d3d::CLEAR_ZBUFFER);
  Scene_->Clear(flags, 0, 1.0f, 0);
  Scene_->Render(nullptr);
  device.Window().ProcessMessages();
  device.EndScene();
  return device.Present();
}

}  // namespace vuzed
