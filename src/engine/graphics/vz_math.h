#pragma once
// The scene library's numbers: vectors of three singles, 4 x 4 matrices in
// row-major order with the row-vector convention (a point p becomes p x M, so
// the translation is the fourth row), colour values of four singles, and the
// 4096-step sine and cosine tables the background animation turns by.

#include <array>
#include <cstdint>

namespace vuzed {

struct TVector {
  float X = 0, Y = 0, Z = 0;
  bool operator==(const TVector&) const = default;
};

struct TMatrix {
  float M[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};  // identity
  bool operator==(const TMatrix&) const = default;
};

// r, g, b, a; lights and materials use them unclamped (a light may be 6 times white).
struct TColorValue {
  float R = 0, G = 0, B = 0, A = 0;
  bool operator==(const TColorValue&) const = default;
};

inline TVector MakeVector(float x, float y, float z) { return TVector{x, y, z}; }
TVector VectorAdd(const TVector& a, const TVector& b);
TVector VectorSubtract(const TVector& a, const TVector& b);
// a x b = (a.y b.z - a.z b.y, a.z b.x - a.x b.z, a.x b.y - a.y b.x).
TVector VectorCross(const TVector& a, const TVector& b);
TVector VectorScale(const TVector& v, float s);
float VectorDot(const TVector& a, const TVector& b);
float VectorLength(const TVector& v);
// A zero vector stays (0, 0, 0).
TVector VectorNormalize(const TVector& v);

// Angles in 1/4096 of a full turn; only the low 12 bits count.
// RotateY: (x c - z s, y, x s + z c); RotateZ: (x c + y s, -x s + y c, z).
TVector RotateY(const TVector& v, int32_t angle);
TVector RotateZ(const TVector& v, int32_t angle);

// (a b)[i][j] = sum over k of a[i][k] b[k][j]; MatrixMultiply(local, parent)
// applies local first.
TMatrix MatrixMultiply(const TMatrix& a, const TMatrix& b);
// p x M with w = 1 (no division).
TVector TransformPoint(const TVector& p, const TMatrix& m);
// v x M without the translation row: a direction turned by the matrix.
TVector TransformDirection(const TVector& v, const TMatrix& m);
// The fourth column's result of p x M with w = 1: the depth a projection leaves in w.
float TransformW(const TVector& p, const TMatrix& m);
// Inverse of a rotation-and-translation matrix: the transposed 3 x 3 and the
// translation row (-(t.r0), -(t.r1), -(t.r2), 1).
TMatrix RigidInverse(const TMatrix& m);
// General inverse (identity when the matrix cannot be inverted).
TMatrix MatrixInverse(const TMatrix& m);
float Determinant3(const TMatrix& m);
TVector MatrixTranslation(const TMatrix& m);

// sin and cos of i x 2 pi / 4096 for i = 0..4095, filled once before main.
extern const std::array<float, 4096>& SinTable;
extern const std::array<float, 4096>& CosTable;

}  // namespace vuzed
