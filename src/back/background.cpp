#include "back/background.h"

#include "engine/graphics/device.h"
#include "game/stage_shared.h"
#include "game/game_context.h"

namespace vuzed {

TMostBackGroundPicture::TMostBackGroundPicture(TGameContext& context) {
  for (auto& layer : Layers_) layer = std::make_unique<TSpellBackTexture>(context);
}

TBackGround::TBackGround(TGameContext& context)
    : Context_(context),
      Scene_(std::make_unique<TVZScene>(context.Dovivez1.get(), "Scene2")),
      Root_(std::make_unique<TVZFrame>()),
      Mesh_(std::make_unique<TVZMesh>(context.Dovivez1.get(), "BackGroundVertices", "BackGroundIndices")),
      FarPicture_(std::make_unique<TMostBackGroundPicture>(context)),
      Front_(std::make_unique<TFrontBackGround>()) {
  Camera_ = Root_->NewChild();
  Scene_->SetCamera(Camera_);
  EnterPlayfield(context.Background, this);
}

// The segments hold pointers to their textures and the mesh: they go first.
TBackGround::~TBackGround() {
  LeavePlayfield(Context_.Background, this);
  FreeSegments();
  Lights_.reset();
}

void TBackGround::FreeSegments() {
  for (int i = 0; i < kSegmentCount; ++i) {
    if (Segments_[size_t(i)]) Root_->FreeChild(Segments_[size_t(i)]);
    Segments_[size_t(i)] = nullptr;
    SegmentTextures_[size_t(i)].reset();
  }
}

void TBackGround::ResetScene() {
  FreeSegments();
  Lights_.reset();
  Scene_.reset();
  Scene_ = std::make_unique<TVZScene>(Context_.Dovivez1.get(), "Scene2");
}

void TBackGround::SetupSetA() { SetupSet("data\\Graphic\\VZ\\777.vz", "data\\Graphic\\VZ\\22tex.bmp", {0.3f, 0.3f, 1}, true); }
void TBackGround::SetupSetB() {
  SetupSet("data\\Graphic\\VZ\\3dback_l3.vz", "data\\Graphic\\VZ\\22tex.bmp", {0.6f, 0.6f, 2}, false);
}
void TBackGround::SetupSetC() { SetupSet("data\\Graphic\\VZ\\777.vz", "data\\Graphic\\VZ\\97tex.bmp", {0.3f, 0.3f, 1}, false); }

void TBackGround::SetupSet(const char* meshFile, const char* textureFile, TVector lightDirection, bool weld) {
  TDovivez* device = Context_.Dovivez1.get();
  Scene_->SetProjection(1.5707964f, 0.75f, 0.01f, 10000.0f);
  Scene_->SetViewport(0, 0, 640, 480);
  Scene_->SetCamera(Camera_);
  Camera_->SetPosition(Root_.get(), MakeVector(0, 0, 1));
  Camera_->SetOrientation(Root_.get(), MakeVector(0, 0, 1), MakeVector(0, 1, 0));

  auto meshPath = Context_.Files.Resolve(meshFile);
  Mesh_->LoadFromFile(meshPath ? meshPath->string() : std::string(meshFile));

  auto texturePath = Context_.Files.Resolve(textureFile);
  FreeSegments();
  for (int i = 0; i < kSegmentCount; ++i) {
    TVZFrame* segment = Root_->NewChild();
    segment->Mesh = Mesh_.get();
    auto texture = std::make_unique<TMXTexture>(device, GameTextureFormats(), 0, d3d::POOL_MANAGED, 0, "");
    texture->SetFillColor(0x00FFFFFF);
    texture->LoadFromFile(texturePath ? texturePath->string() : std::string(textureFile));
    // A picture that could not be read leaves nothing to key: the segment
    // then draws untextured.
    if (texture->HasTexture())
      texture->SetColorKey(TRect{0, 0, texture->Width(), texture->Height()}, MakeColor(0, 255, 255, 255));
    segment->SetTexture(texture.get());
    SegmentTextures_[size_t(i)] = std::move(texture);
    Segments_[size_t(i)] = segment;
  }
  if (weld) Mesh_->Weld();

  Lights_ = std::make_unique<TVZLightGroup>(device, "BackGroundLights", 2);
  TVZLight& key = *Lights_->Items(0);
  key.SetDiffuse(1, 1, 1);
  key.SetSpecular(4, 4, 4);
  key.SetAmbient(2, 2, 2);
  key.SetDirection(lightDirection);
  key.SetEnabled(true);
  TVZLight& fill = *Lights_->Items(1);
  fill.SetDiffuse(6, 6, 6);
  fill.SetSpecular(4, 4, 4);
  fill.SetAmbient(1, 1, 1);
  fill.SetDirection(MakeVector(-0.2f, -0.2f, 1));
  fill.SetEnabled(true);
  Counter = 0;
}

// Sets 1 and 3: the camera looks down the corridor at an angle; the
// segments stand 6 apart and move towards the viewer.
void TBackGround::PlaceCorridor() {
  Camera_->SetOrientation(Root_.get(), RotateY(MakeVector(0, 0, 1), 252), MakeVector(0, 1, 0));
  for (int i = 0; i < kSegmentCount; ++i) {
    TVZFrame* segment = Segments_[size_t(i)];
    if (!segment) continue;
    int64_t step = (int64_t(60) * i + int64_t(Counter)) % 660;
    if (step < 0) step += 660;
    segment->SetPosition(Root_.get(), MakeVector(0, 0.2f, float(60.0 - double(step) / 10.0)));
  }
}

// Set 2: the rings of the tunnel move towards the viewer and spin.
void TBackGround::PlaceTunnel() {
  for (int i = 0; i < kSegmentCount; ++i) {
    TVZFrame* segment = Segments_[size_t(i)];
    if (!segment) continue;
    int64_t step = (int64_t(300) * i / 11 + int64_t(Counter)) % 300;
    if (step < 0) step += 300;
    segment->SetPosition(Root_.get(), MakeVector(0, 0, float(10.0 - double(step) / 27.0)));
    segment->SetOrientation(Root_.get(), MakeVector(0, 0, 1), RotateZ(MakeVector(0, 1, 0), Counter));
  }
}

void TBackGround::Update() {
  bool adventure = Context_.Stage && Context_.Stage->ScriptMode == TScriptMode::Adv;
  if (!adventure) {
    switch (Set) {
      case 1:
        Counter += 1;
        PlaceCorridor();
        break;
      case 3:
        Counter += 2;
        PlaceCorridor();
        break;
      case 2:
        Counter += 1;
        PlaceTunnel();
        break;
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
  // The depth buffer is cleared wherever there is one (the windowed device
  // has one too, for the 3D background).
  uint32_t flags = d3d::CLEAR_TARGET | (device.HasDepthBuffer() ? d3d::CLEAR_ZBUFFER : 0);
  Scene_->Clear(flags, 0, 1.0f, 0);
  Scene_->Render(Root_.get());
  device.Window().ProcessMessages();
  device.EndScene();
  return device.Present();
}

}  // namespace vuzed
