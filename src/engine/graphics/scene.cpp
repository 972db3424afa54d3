#include "engine/graphics/scene.h"

#include "engine/graphics/blend_modes.h"
#include "engine/graphics/texture.h"

namespace vuzed {

TVZScene::TVZScene(TDovivez* device, std::string name)
    : TDeviceResource(device, "TVZScene", std::move(name)),
      Opaque_(std::make_unique<TVZRenderingQueue>(device)),
      Translucent_(std::make_unique<TVZRenderingQueue>(device)),
      Screen_(std::make_unique<TVZRenderingQueue>(device)) {
  int width = device->Window().ClientWidth();
  int height = device->Window().ClientHeight();
  SetViewport(0, 0, width, height);
  SetProjection(1.5707964f, width > 0 ? float(height) / float(width) : 0.75f, 0.01f, 10000.0f);
  BlendOpSupported_ = device->Caps().BlendOp;
}

TVZScene::~TVZScene() = default;

void TVZScene::Clear(uint32_t flags, uint32_t color, float z, uint32_t stencil) {
  if (Device()) Device()->Backend().Clear(flags, color, z, stencil);
}

void TVZScene::SetViewport(int left, int top, int right, int bottom) {
  Viewport_ = TViewport{left, top, right - left, bottom - top, 0.0f, 1.0f};
}

void TVZScene::SetProjection(float fov, float aspect, float nearPlane, float farPlane) {
  Fov_ = fov;
  Aspect_ = aspect;
  Near_ = nearPlane;
  Far_ = farPlane;
}

void TVZScene::Restore() {
  if (Device()) BlendOpSupported_ = Device()->Caps().BlendOp;
}

void TVZScene::Render(TVZFrame* /*root*/) {
  if (!Device()) return;
  RenderBackend& backend = Device()->Backend();
  Opaque_->Render(false, BlendOpSupported_);
  Translucent_->Render(SortTranslucent, BlendOpSupported_);

  // Screen sprites never hide behind the 3D scene: depth writes off and the
  // depth function ALWAYS (the queue turns depth testing back on, which then
  // always passes).
  backend.SetRenderState(RenderState::ZEnable, 0);
  backend.SetRenderState(RenderState::ZWriteEnable, 0);
  backend.SetRenderState(RenderState::ZFunc, d3d::CMP_ALWAYS);
  Screen_->Render(false, BlendOpSupported_);
  backend.SetRenderState(RenderState::ZEnable, 1);
  backend.SetRenderState(RenderState::ZWriteEnable, 1);
  backend.SetRenderState(RenderState::ZFunc, d3d::CMP_LESSEQUAL);
  backend.SetTexture(nullptr);
}

void TVZScene::DrawSprite(TPoint2 position, const TSpriteVertex (&vertices)[4], const TMXTexture* texture,
                          int32_t blendMode, bool smooth, bool screen, float depth) {
  TSpriteRecord record;
  record.Smooth = smooth;
  record.BlendMode = blendMode;
  record.Texture = texture;
  record.TextureID = texture ? texture->ResourceID() : -1;
  record.X = position.X;
  record.Y = position.Y;
  record.Depth = screen ? 0.0f : depth;
  for (int k = 0; k < 4; ++k) record.Vertices[k] = vertices[k];
  if (screen)
    Screen_->AddSprite(record);
  else if (IsTranslucentMode(blendMode))
    Translucent_->AddSprite(record);
  else
    Opaque_->AddSprite(record);
}

}  // namespace vuzed
