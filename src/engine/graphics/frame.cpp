#include "engine/graphics/frame.h"

#include <algorithm>

namespace vuzed {
namespace {

TMatrix WorldOf(const TVZFrame* frame) { return frame ? frame->GetWorld() : TMatrix{}; }

void SetRotationRows(TMatrix& m, const TMatrix& from) {
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 4; ++j) m.M[i][j] = from.M[i][j];
}

void SetTranslationRow(TMatrix& m, const TMatrix& from) {
  for (int j = 0; j < 4; ++j) m.M[3][j] = from.M[3][j];
}

}  // namespace

TVZFrame::TVZFrame() = default;

TVZFrame::TVZFrame(TVZFrame* parent) : Parent_(parent) {
  Ancestors_ = parent->Ancestors_;
  Ancestors_.push_back(parent);
}

// Children go first, each taking its own subtree with it.
TVZFrame::~TVZFrame() {
  while (!Children_.empty()) Children_.pop_back();
}

TVZFrame* TVZFrame::NewChild() {
  Children_.push_back(std::unique_ptr<TVZFrame>(new TVZFrame(this)));
  return Children_.back().get();
}

void TVZFrame::FreeChild(TVZFrame* child) {
  auto it = std::find_if(Children_.begin(), Children_.end(),
                         [child](const std::unique_ptr<TVZFrame>& c) { return c.get() == child; });
  if (it != Children_.end()) Children_.erase(it);
}

TMatrix TVZFrame::GetWorld() const {
  TMatrix world = LocalTransformDisabled ? TMatrix{} : Local;
  // Ancestors from the parent up to the root; the root's own local is left out.
  for (size_t k = Ancestors_.size(); k-- > 1;) {
    const TVZFrame* ancestor = Ancestors_[k];
    if (!ancestor->LocalTransformDisabled) world = MatrixMultiply(world, ancestor->Local);
  }
  return world;
}

TMatrix TVZFrame::GetViewMatrix() const { return RigidInverse(GetWorld()); }

void TVZFrame::SetTransform(const TVZFrame* ref, const TMatrix& m) {
  if (ref == this) {
    Local = MatrixMultiply(m, Local);
  } else if (ref == Parent_) {
    Local = m;
  } else {
    Local = MatrixMultiply(MatrixMultiply(m, WorldOf(ref)), MatrixInverse(WorldOf(Parent_)));
  }
}

void TVZFrame::SetPosition(const TVZFrame* ref, const TVector& v) {
  if (ref == Parent_) {
    Local.M[3][0] = v.X;
    Local.M[3][1] = v.Y;
    Local.M[3][2] = v.Z;
    return;
  }
  const TMatrix before = Local;
  TMatrix m = Local;
  m.M[3][0] = v.X;
  m.M[3][1] = v.Y;
  m.M[3][2] = v.Z;
  SetTransform(ref, m);
  SetRotationRows(Local, before);
}

void TVZFrame::SetOrientation(const TVZFrame* ref, const TVector& dir, const TVector& up) {
  const TVector right = VectorNormalize(VectorCross(up, dir));
  TMatrix m = Local;
  const TVector rows[3] = {right, up, dir};
  for (int i = 0; i < 3; ++i) {
    m.M[i][0] = rows[i].X;
    m.M[i][1] = rows[i].Y;
    m.M[i][2] = rows[i].Z;
    m.M[i][3] = 0;
  }
  if (ref == Parent_) {
    SetRotationRows(Local, m);
    return;
  }
  const TMatrix before = Local;
  SetTransform(ref, m);
  SetTranslationRow(Local, before);
}

}  // namespace vuzed
