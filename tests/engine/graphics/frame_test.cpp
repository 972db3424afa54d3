#include "engine/graphics/frame.h"

#include <gtest/gtest.h>

namespace vuzed {
namespace {

void ExpectNear(const TMatrix& a, const TMatrix& b) {
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) EXPECT_NEAR(a.M[i][j], b.M[i][j], 1e-5f) << i << "," << j;
}

TMatrix Translation(float x, float y, float z) {
  TMatrix m;
  m.M[3][0] = x;
  m.M[3][1] = y;
  m.M[3][2] = z;
  return m;
}

TEST(FrameTest, PositionAndOrientationRelativeToTheParentTouchOnlyTheirRows) {
  TVZFrame root;
  TVZFrame* frame = root.NewChild();
  frame->SetOrientation(&root, MakeVector(0, 0, 2), MakeVector(0, 3, 0));
  const TMatrix turned = frame->Local;
  // right = normalise(up x dir); up and dir stay as given.
  EXPECT_EQ(turned.M[0][0], 1);
  EXPECT_EQ(turned.M[1][1], 3);
  EXPECT_EQ(turned.M[2][2], 2);
  frame->SetPosition(&root, MakeVector(4, 5, 6));
  TMatrix expected = turned;
  expected.M[3][0] = 4;
  expected.M[3][1] = 5;
  expected.M[3][2] = 6;
  EXPECT_EQ(frame->Local, expected);
  frame->SetOrientation(&root, MakeVector(1, 0, 0), MakeVector(0, 1, 0));
  EXPECT_EQ(MatrixTranslation(frame->Local), MakeVector(4, 5, 6));
}

TEST(FrameTest, WorldLeavesOutTheRootAndDisabledAncestors) {
  TVZFrame root;
  root.Local = Translation(100, 0, 0);
  TVZFrame* a = root.NewChild();
  a->Local = Translation(1, 0, 0);
  TVZFrame* b = a->NewChild();
  b->Local = Translation(0, 2, 0);
  TVZFrame* c = b->NewChild();
  c->Local = Translation(0, 0, 3);
  ExpectNear(c->GetWorld(), Translation(1, 2, 3));
  b->LocalTransformDisabled = true;
  ExpectNear(c->GetWorld(), Translation(1, 0, 3));
  ExpectNear(b->GetWorld(), Translation(1, 0, 0));
  // The view is the world's rigid inverse.
  c->SetOrientation(b, MakeVector(0.6f, 0, 0.8f), MakeVector(0, 1, 0));
  ExpectNear(MatrixMultiply(c->GetWorld(), c->GetViewMatrix()), TMatrix{});
}

TEST(FrameTest, PositionFromAnotherReferenceIsSeenFromThatFrame) {
  TVZFrame root;
  TVZFrame* parent = root.NewChild();
  parent->Local = Translation(5, 0, 0);
  TVZFrame* other = root.NewChild();
  other->Local = Translation(0, 10, 0);
  TVZFrame* frame = parent->NewChild();
  frame->SetPosition(nullptr, MakeVector(1, 2, 3));  // world space
  EXPECT_EQ(MatrixTranslation(frame->GetWorld()), MakeVector(1, 2, 3));
  frame->SetPosition(other, MakeVector(1, 2, 3));
  EXPECT_EQ(MatrixTranslation(frame->GetWorld()), MakeVector(1, 12, 3));
  EXPECT_EQ(MatrixTranslation(frame->Local), MakeVector(-4, 12, 3));
}

TEST(FrameTest, FreeingAFrameTakesItsSubtreeAndLeavesOthersAlone) {
  TVZFrame root;
  TVZFrame* a = root.NewChild();
  TVZFrame* b = root.NewChild();
  a->NewChild()->NewChild();
  ASSERT_EQ(a->Child(0)->Child(0)->Ancestors().size(), 3u);
  EXPECT_EQ(a->Child(0)->Child(0)->Ancestors()[1], a);
  root.FreeChild(a);
  ASSERT_EQ(root.ChildCount(), 1u);
  EXPECT_EQ(root.Child(0), b);
  root.FreeChild(&root);  // not a child: nothing happens
  EXPECT_EQ(root.ChildCount(), 1u);
}

TEST(VzMathTest, RotationsUseTheTablesAndWrapTheirAngle) {
  EXPECT_FLOAT_EQ(SinTable[1024], 1.0f);
  EXPECT_FLOAT_EQ(CosTable[0], 1.0f);
  const TVector turned = RotateY(MakeVector(0, 0, 1), 252);
  EXPECT_FLOAT_EQ(turned.X, -SinTable[252]);
  EXPECT_FLOAT_EQ(turned.Z, CosTable[252]);
  EXPECT_EQ(RotateZ(MakeVector(0, 1, 0), 1024 + 4096), RotateZ(MakeVector(0, 1, 0), 1024));
  EXPECT_NEAR(RotateZ(MakeVector(0, 1, 0), 1024).X, 1.0f, 1e-6f);
  EXPECT_EQ(VectorNormalize(TVector{}), TVector{});
  TMatrix m;
  m.M[0][0] = 2;
  m.M[1][1] = 3;
  m.M[2][2] = 4;
  EXPECT_FLOAT_EQ(Determinant3(m), 24);
  ExpectNear(MatrixMultiply(m, MatrixInverse(m)), TMatrix{});
}

}  // namespace
}  // namespace vuzed
