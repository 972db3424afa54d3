#pragma once
// TVZScene: the frame into which everything is drawn. It keeps the view
// set-up (viewport, projection, camera) and three rendering queues. Render
// walks the frame tree, culls each mesh by its bounding sphere against the
// view volume and queues what is left, then draws the opaque queue, the
// translucent queue sorted by depth, and last the screen queue in the order
// the game queued its sprites (no depth test: later sprites cover earlier ones).

#include <memory>
#include <span>
#include <string>

#include "engine/graphics/device.h"
#include "engine/graphics/rendering_queue.h"
#include "engine/graphics/sprite.h"
#include "engine/graphics/vz_math.h"

namespace vuzed {

class TMXTexture;
class TVZFrame;

class TVZScene : public TDeviceResource {
 public:
  TVZScene(TDovivez* device, std::string name);
  ~TVZScene() override;

  // Clears the whole viewport (D3DCLEAR flags, ARGB colour, depth, stencil).
  void Clear(uint32_t flags, uint32_t color, float z, uint32_t stencil);
  void SetViewport(int left, int top, int right, int bottom);
  // Field of view in radians; aspect = height / width.
  void SetProjection(float fov, float aspect, float nearPlane, float farPlane);
  const TViewport& Viewport() const { return Viewport_; }
  // Viewport pixels from the projected (-1..1, y up, z 0..1) space.
  const TMatrix& ViewportMatrix() const { return ViewportMatrix_; }
  const TMatrix& Projection() const { return Projection_; }
  float HorizontalHalfAngle() const { return HorizontalHalfAngle_; }
  float FieldOfView() const { return Fov_; }
  float Aspect() const { return Aspect_; }
  float NearPlane() const { return Near_; }
  float FarPlane() const { return Far_; }

  // nullptr: the view is the identity.
  TVZFrame* Camera() const { return Camera_; }
  void SetCamera(TVZFrame* camera) { Camera_ = camera; }
  bool SortTranslucent = true;

  // Draws the frame tree under root (may be null), then the sprite queues,
  // and empties them.
  void Render(TVZFrame* root);
  // True when the sphere (centre in the space of m, radius) may be seen: not
  // behind the camera, not beyond the far plane, inside all four side
  // planes (each at the vertical half angle). A radius of 0 or less is never seen.
  bool SphereInFrustum(const TMatrix& m, const TVector& centre, float radius) const;
  // The camera's view matrix, or the identity without a camera.
  TMatrix ViewMatrix() const;

  // Queues a sprite. Screen sprites go to the screen queue with depth 0;
  // others to the translucent or opaque queue by their blend mode.
  void DrawSprite(TPoint2 position, std::span<const TSpriteVertex, 4> vertices, const TMXTexture* texture,
                  int32_t blendMode, bool smooth, bool screen, float depth);

  const TVZRenderingQueue& ScreenQueue() const { return *Screen_; }
  const TVZRenderingQueue& OpaqueQueue() const { return *Opaque_; }
  const TVZRenderingQueue& TranslucentQueue() const { return *Translucent_; }

 protected:
  void OnRebuild() override { Restore(); }
  void OnReset() override { Restore(); }

 private:
  void Restore();
  void Visit(TVZFrame& frame, const TMatrix& parentWorld, const TMatrix& view);
  // SphereInFrustum with the centre's transform into view space already made.
  bool SphereInView(const TMatrix& toView, const TVector& centre, float radius) const;

  std::unique_ptr<TVZRenderingQueue> Opaque_;
  std::unique_ptr<TVZRenderingQueue> Translucent_;
  std::unique_ptr<TVZRenderingQueue> Screen_;
  TVZFrame* Camera_ = nullptr;
  TViewport Viewport_{};
  TMatrix ViewportMatrix_;
  TMatrix Projection_;
  float Fov_ = 0, Aspect_ = 0, Near_ = 0, Far_ = 0;
  float HorizontalHalfAngle_ = 0;
  float HalfFovSin_ = 0, HalfFovCos_ = 0;  // of the vertical half angle, for the side planes
  bool BlendOpSupported_ = true;
};

}  // namespace vuzed
