#pragma once
// TVZFrame: a node of the scene tree. Each frame has a local matrix relative
// to its parent and may show a mesh with its own texture, material and render
// states. A frame owns its children: freeing a frame frees its subtree.
//
// World matrices: a frame's world is its local matrix times the locals of its
// ancestors up to, but not including, the tree root (GetWorld), while a render
// starts from the root's own local. The offset matrix is applied before the
// world when drawing (render = offset x world) and is not inherited.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "engine/graphics/d3d_types.h"
#include "engine/graphics/vz_math.h"

namespace vuzed {

class TMXTexture;
class TVZMesh;
class TVZFrame;

// What a render does with a frame: 0 draw it, 1 skip it with its whole
// subtree, 2 do not draw it but visit its children.
enum : int32_t { FrameVisible = 0, FrameHidden = 1, FrameChildrenOnly = 2 };

// Which point of a translucent frame's mesh orders it among the others.
enum : int32_t { DepthCentre = 0, DepthFarSide = 1, DepthNearSide = 2 };

class TVZFrame {
 public:
  // A root frame (no parent). Children are made with NewChild.
  TVZFrame();
  ~TVZFrame();
  TVZFrame(const TVZFrame&) = delete;
  TVZFrame& operator=(const TVZFrame&) = delete;

  // A new child at the end of the children list, owned by this frame.
  TVZFrame* NewChild();
  // Frees a child of this frame with its subtree; anything else is ignored.
  void FreeChild(TVZFrame* child);

  TVZFrame* Parent() const { return Parent_; }
  // From the tree root down to the parent.
  const std::vector<TVZFrame*>& Ancestors() const { return Ancestors_; }
  size_t ChildCount() const { return Children_.size(); }
  TVZFrame* Child(size_t i) const { return Children_[i].get(); }

  // Transforms. A null reference frame stands for world space.
  // ref = this: local := M x local; ref = parent: local := M; otherwise
  // local := M x GetWorld(ref) x inverse(GetWorld(parent)).
  void SetTransform(const TVZFrame* ref, const TMatrix& m);
  // Moves the frame to v as seen from ref; only the position changes.
  void SetPosition(const TVZFrame* ref, const TVector& v);
  // Turns the frame to look along dir with up as seen from ref; the rows
  // become right = normalise(up x dir), up, dir (the last two as given).
  void SetOrientation(const TVZFrame* ref, const TVector& dir, const TVector& up);
  TMatrix GetWorld() const;
  // The inverse of GetWorld as a rigid transform: the view from this frame.
  TMatrix GetViewMatrix() const;

  TMXTexture* Texture() const { return Textures[0]; }
  void SetTexture(TMXTexture* texture) { Textures[0] = texture; }

  TMatrix Local;
  TMatrix Offset;
  std::array<TMXTexture*, 8> Textures{};  // not owned; slot 0 is drawn
  int32_t Visibility = FrameVisible;
  bool UseOffset = true;
  bool LocalTransformDisabled = false;  // use the parent's world as its own
  bool CullByOwnSphere = false;
  TVector OwnSphereCentre{};
  float OwnSphereRadius = 1;
  TVZMesh* Mesh = nullptr;  // not owned
  D3DMaterial Material;
  int32_t BlendMode = 0;
  bool Lighting = true;
  bool Specular = true;
  uint32_t Wrap = 0;
  uint32_t FillMode = d3d::FILL_SOLID;
  int32_t DepthMode = DepthCentre;
  // Optional replacements for drawing the mesh, for the depth key of the
  // translucent sort, and for the visibility decision (returns 0, 1 or 2).
  std::function<void(TVZFrame&)> CustomDraw;
  std::function<float(const TVZFrame&)> CustomDepthKey;
  std::function<int32_t(const TVZFrame&)> CustomVisibility;

  // Results of the last render.
  bool Queued = false;
  bool WorldValid = false;
  TMatrix World;
  TMatrix RenderMatrix;

 private:
  explicit TVZFrame(TVZFrame* parent);

  TVZFrame* Parent_ = nullptr;
  std::vector<TVZFrame*> Ancestors_;
  std::vector<std::unique_ptr<TVZFrame>> Children_;
};

// A list of frames (not owned). Assigning from another list replaces the
// entries with the other's, in order.
class TVZFrameList {
 public:
  void Add(TVZFrame* frame) { Items_.push_back(frame); }
  void Clear() { Items_.clear(); }
  void Assign(const TVZFrameList& other) { Items_ = other.Items_; }
  size_t Count() const { return Items_.size(); }
  TVZFrame* operator[](size_t i) const { return Items_[i]; }

 private:
  std::vector<TVZFrame*> Items_;
};

}  // namespace vuzed
