#include "engine/graphics/scene.h"

#include <cmath>

#include "engine/graphics/blend_modes.h"
#include "engine/graphics/frame.h"
#include "engine/graphics/mesh.h"
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
  const float width = float(Viewport_.Width), height = float(Viewport_.Height);
  ViewportMatrix_ = TMatrix{};
  ViewportMatrix_.M[0][0] = width / 2;
  ViewportMatrix_.M[1][1] = -height / 2;
  ViewportMatrix_.M[2][2] = Viewport_.MaxZ - Viewport_.MinZ;
  ViewportMatrix_.M[3][0] = float(Viewport_.X) + width / 2;
  ViewportMatrix_.M[3][1] = float(Viewport_.Y) + height / 2;
  ViewportMatrix_.M[3][2] = Viewport_.MinZ;
  if (Device()) Device()->Backend().SetViewport(Viewport_);
}

// A left-handed perspective: x and y scaled by cot(fov / 2) (x also by the
// aspect), z mapped from near..far to 0..1, and the depth moved into w.
void TVZScene::SetProjection(float fov, float aspect, float nearPlane, float farPlane) {
  const float c = float(std::cos(double(fov) / 2) / std::sin(double(fov) / 2));
  Projection_ = TMatrix{};
  Projection_.M[0][0] = c * aspect;
  Projection_.M[1][1] = c;
  Projection_.M[2][2] = farPlane / (farPlane - nearPlane);
  Projection_.M[2][3] = 1;
  Projection_.M[3][2] = -nearPlane * farPlane / (farPlane - nearPlane);
  Projection_.M[3][3] = 0;
  Fov_ = fov;
  Aspect_ = aspect;
  Near_ = nearPlane;
  Far_ = farPlane;
  HorizontalHalfAngle_ = float(std::atan2(1.0 / double(Projection_.M[0][0]), 1.0));
  HalfFovSin_ = float(std::sin(double(fov) / 2));
  HalfFovCos_ = float(std::cos(double(fov) / 2));
  if (Device()) Device()->Backend().SetTransform(TransformType::Projection, Projection_);
}

void TVZScene::Restore() {
  if (!Device()) return;
  Device()->Backend().SetViewport(Viewport_);
  Device()->Backend().SetTransform(TransformType::Projection, Projection_);
  BlendOpSupported_ = Device()->Caps().BlendOp;
}

TMatrix TVZScene::ViewMatrix() const { return Camera_ ? Camera_->GetViewMatrix() : TMatrix{}; }

bool TVZScene::SphereInFrustum(const TMatrix& m, const TVector& centre, float radius) const {
  return SphereInView(MatrixMultiply(m, ViewMatrix()), centre, radius);
}

bool TVZScene::SphereInView(const TMatrix& toView, const TVector& centre, float radius) const {
  if (!(radius > 0)) return false;
  const TVector p = TransformPoint(centre, toView);
  const float s = HalfFovSin_, k = HalfFovCos_;
  const float r = radius;
  if (-r > p.Z) return false;
  if (p.Z > Far_ + r) return false;
  if (-r > p.X * k + p.Z * s) return false;
  if (-r > -p.X * k + p.Z * s) return false;
  if (-r > -p.Y * k + p.Z * s) return false;
  if (-r > p.Y * k + p.Z * s) return false;
  return true;
}

void TVZScene::Visit(TVZFrame& frame, const TMatrix& parentWorld, const TMatrix& view) {
  frame.Queued = false;
  frame.WorldValid = false;
  int32_t s;
  if (frame.CustomVisibility) {
    s = frame.CustomVisibility(frame);
  } else {
    s = frame.Visibility;
    if (s != FrameHidden && frame.CullByOwnSphere &&
        !SphereInView(MatrixMultiply(MatrixMultiply(frame.Local, parentWorld), view), frame.OwnSphereCentre,
                      frame.OwnSphereRadius))
      s = FrameHidden;
  }
  if (s == FrameHidden) return;
  const bool drawable = frame.Mesh || frame.CustomDraw;
  if (frame.ChildCount() == 0 && (!drawable || s == FrameChildrenOnly)) return;

  frame.World = frame.LocalTransformDisabled ? parentWorld : MatrixMultiply(frame.Local, parentWorld);
  frame.RenderMatrix = frame.UseOffset ? MatrixMultiply(frame.Offset, frame.World) : frame.World;
  frame.WorldValid = true;
  if (s == FrameVisible) {
    bool queue = false;
    if (frame.CustomDraw)
      queue = frame.Mesh || frame.CustomDepthKey;
    else if (frame.Mesh)
      queue = !frame.Mesh->Empty() &&
              SphereInView(MatrixMultiply(frame.World, view), frame.Mesh->Centre(), frame.Mesh->Radius());
    if (queue) {
      frame.Queued = true;
      if (IsTranslucentMode(frame.BlendMode))
        Translucent_->AddFrame(&frame);
      else
        Opaque_->AddFrame(&frame);
    }
  }
  for (size_t i = 0; i < frame.ChildCount(); ++i) Visit(*frame.Child(i), frame.World, view);
}

void TVZScene::Render(TVZFrame* root) {
  if (!Device()) return;
  RenderBackend& backend = Device()->Backend();
  const TMatrix view = ViewMatrix();
  backend.SetTransform(TransformType::View, view);
  if (root) {
    const TMatrix parentWorld = root->Parent() ? root->Parent()->GetWorld() : TMatrix{};
    Visit(*root, parentWorld, view);
  }

  const TMatrix viewProjection = MatrixMultiply(view, Projection_);
  Opaque_->Render(false, BlendOpSupported_, viewProjection);
  Translucent_->Render(SortTranslucent, BlendOpSupported_, viewProjection);

  // Screen sprites never hide behind the 3D scene: depth writes off and the
  // depth function ALWAYS (the queue turns depth testing back on, which then
  // always passes).
  backend.SetRenderState(RenderState::ZEnable, 0);
  backend.SetRenderState(RenderState::ZWriteEnable, 0);
  backend.SetRenderState(RenderState::ZFunc, d3d::CMP_ALWAYS);
  Screen_->Render(false, BlendOpSupported_, viewProjection);
  backend.SetRenderState(RenderState::ZEnable, 1);
  backend.SetRenderState(RenderState::ZWriteEnable, 1);
  backend.SetRenderState(RenderState::ZFunc, d3d::CMP_LESSEQUAL);
  backend.SetTexture(nullptr);
}

void TVZScene::DrawSprite(TPoint2 position, std::span<const TSpriteVertex, 4> vertices, const TMXTexture* texture,
                          int32_t blendMode, bool smooth, bool screen, float depth) {
  TVZRenderingQueue& queue = screen ? *Screen_ : IsTranslucentMode(blendMode) ? *Translucent_ : *Opaque_;
  TSpriteRecord& record = queue.Append();
  record.Smooth = smooth;
  record.BlendMode = blendMode;
  record.Texture = texture;
  record.TextureID = texture ? texture->ResourceID() : -1;
  record.X = position.X;
  record.Y = position.Y;
  record.Depth = screen ? 0.0f : depth;
  for (int k = 0; k < 4; ++k) record.Vertices[k] = vertices[k];
}

}  // namespace vuzed
