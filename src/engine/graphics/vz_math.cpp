#include "engine/graphics/vz_math.h"

#include <cmath>

namespace vuzed {
namespace {

struct TrigTables {
  std::array<float, 4096> Sin{};
  std::array<float, 4096> Cos{};
  TrigTables() {
    for (int i = 0; i < 4096; ++i) {
      double a = double(i) * 2.0 * M_PI / 4096.0;
      Sin[size_t(i)] = float(std::sin(a));
      Cos[size_t(i)] = float(std::cos(a));
    }
  }
};

const TrigTables& Tables() {
  static const TrigTables tables;
  return tables;
}

}  // namespace

const std::array<float, 4096>& SinTable = Tables().Sin;
const std::array<float, 4096>& CosTable = Tables().Cos;

TVector VectorAdd(const TVector& a, const TVector& b) { return {a.X + b.X, a.Y + b.Y, a.Z + b.Z}; }
TVector VectorSubtract(const TVector& a, const TVector& b) { return {a.X - b.X, a.Y - b.Y, a.Z - b.Z}; }

TVector VectorCross(const TVector& a, const TVector& b) {
  return {a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X};
}

TVector VectorScale(const TVector& v, float s) { return {v.X * s, v.Y * s, v.Z * s}; }
float VectorDot(const TVector& a, const TVector& b) { return a.X * b.X + a.Y * b.Y + a.Z * b.Z; }
float VectorLength(const TVector& v) { return std::sqrt(VectorDot(v, v)); }

TVector VectorNormalize(const TVector& v) {
  float length = VectorLength(v);
  if (length == 0 || !std::isfinite(length)) return {};
  return VectorScale(v, 1.0f / length);
}

TVector RotateY(const TVector& v, int32_t angle) {
  size_t i = size_t(uint32_t(angle) & 4095u);
  float s = Tables().Sin[i], c = Tables().Cos[i];
  return {v.X * c - v.Z * s, v.Y, v.X * s + v.Z * c};
}

TVector RotateZ(const TVector& v, int32_t angle) {
  size_t i = size_t(uint32_t(angle) & 4095u);
  float s = Tables().Sin[i], c = Tables().Cos[i];
  return {v.X * c + v.Y * s, -v.X * s + v.Y * c, v.Z};
}

TMatrix MatrixMultiply(const TMatrix& a, const TMatrix& b) {
  TMatrix r;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      float sum = 0;
      for (int k = 0; k < 4; ++k) sum += a.M[i][k] * b.M[k][j];
      r.M[i][j] = sum;
    }
  return r;
}

TVector TransformPoint(const TVector& p, const TMatrix& m) {
  return {p.X * m.M[0][0] + p.Y * m.M[1][0] + p.Z * m.M[2][0] + m.M[3][0],
          p.X * m.M[0][1] + p.Y * m.M[1][1] + p.Z * m.M[2][1] + m.M[3][1],
          p.X * m.M[0][2] + p.Y * m.M[1][2] + p.Z * m.M[2][2] + m.M[3][2]};
}

TVector TransformDirection(const TVector& v, const TMatrix& m) {
  return {v.X * m.M[0][0] + v.Y * m.M[1][0] + v.Z * m.M[2][0], v.X * m.M[0][1] + v.Y * m.M[1][1] + v.Z * m.M[2][1],
          v.X * m.M[0][2] + v.Y * m.M[1][2] + v.Z * m.M[2][2]};
}

float TransformW(const TVector& p, const TMatrix& m) {
  return p.X * m.M[0][3] + p.Y * m.M[1][3] + p.Z * m.M[2][3] + m.M[3][3];
}

TMatrix RigidInverse(const TMatrix& m) {
  TMatrix r;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) r.M[i][j] = m.M[j][i];
  for (int i = 0; i < 3; ++i) r.M[i][3] = 0;
  const TVector t = MatrixTranslation(m);
  for (int j = 0; j < 3; ++j) {
    TVector row{m.M[j][0], m.M[j][1], m.M[j][2]};
    r.M[3][j] = -VectorDot(t, row);
  }
  r.M[3][3] = 1;
  return r;
}

float Determinant3(const TMatrix& m) {
  const auto& a = m.M;
  return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) - a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
         a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
}

TMatrix MatrixInverse(const TMatrix& m) {
  // Gauss-Jordan elimination with partial pivoting, in double precision.
  double a[4][8];
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      a[i][j] = m.M[i][j];
      a[i][j + 4] = i == j ? 1.0 : 0.0;
    }
  for (int col = 0; col < 4; ++col) {
    int pivot = col;
    for (int r = col + 1; r < 4; ++r)
      if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) pivot = r;
    if (!(std::fabs(a[pivot][col]) > 1e-30)) return TMatrix{};
    if (pivot != col)
      for (int j = 0; j < 8; ++j) std::swap(a[col][j], a[pivot][j]);
    double inv = 1.0 / a[col][col];
    for (int j = 0; j < 8; ++j) a[col][j] *= inv;
    for (int r = 0; r < 4; ++r) {
      if (r == col || a[r][col] == 0) continue;
      double f = a[r][col];
      for (int j = 0; j < 8; ++j) a[r][j] -= f * a[col][j];
    }
  }
  TMatrix r;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) r.M[i][j] = float(a[i][j + 4]);
  return r;
}

TVector MatrixTranslation(const TMatrix& m) { return {m.M[3][0], m.M[3][1], m.M[3][2]}; }

}  // namespace vuzed
