#pragma once
// The arithmetic of script expressions, shared by both evaluators so that
// they round alike. Every result is a single; operands are singles.
//
// - "*", "+", "-": single-precision arithmetic.
// - "/": enemies divide in single precision; bullets and stages round (half
//   to even) the quotient of the two singles computed in double precision,
//   which is not first rounded to single (7.5/0.2 is 37).
// - "|", "%": both operands rounded half to even to 64-bit integers
//   (saturating; NaN counts as 0), then division truncating toward zero, or
//   the remainder with the sign of the dividend.
// - Division by zero with any of the three gives 0.
// - SIN, COS, TAN, RSIN, RCOS and angles from atan2 are computed in double
//   precision from the singles and then rounded to single; RSIN and RCOS
//   first round the angle half to even. Angles are degrees.
// - RANDOM(n) draws from the program-wide generator on every call (also for
//   a range of 0) with the range Round(n) limited to 0 .. 2^32 - 1: a
//   negative range, like 0, gives 0.

#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>

#include "objects/degree_table.h"
#include "objects/rounding.h"
#include "script/expression.h"
#include "script/number_text.h"

namespace vuzed {

constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

enum class TExpressionOperator : uint8_t { Multiply, Divide, IntDivide, Modulo, Add, Subtract };

// The operator written as c ("*", "/", "|", "%", "+", "-").
TExpressionOperator OperatorFromChar(char c);

float ApplyOperator(TEvaluatorKind kind, TExpressionOperator op, float left, float right);

// SIN, RSIN, COS, RCOS or TAN of an angle in degrees.
float ApplyAngleFunction(TExpressionFunction function, float degrees);

// RANDOM(range).
float RandomValue(uint32_t& seed, float range);

// Degrees from (fromX, fromY) to (toX, toY): atan2(toY - fromY, toX - fromX) * 180 / pi.
float AngleToPoint(float fromX, float fromY, float toX, float toY);

// The operators one by one.
inline float DivideSingle(float left, float right) { return right == 0 ? 0.0f : left / right; }
inline float DivideRounding(float left, float right) {
  return right == 0 ? 0.0f : ToSingle(RoundHalfEven(double(left) / double(right)));
}
inline float IntDivide(float left, float right) {
  int64_t l = RoundToInt64(left);
  int64_t r = RoundToInt64(right);
  if (r == 0) return 0;
  if (r == -1) return ToSingle(-double(l));  // also for the one quotient that does not fit
  return float(l / r);
}
inline float Modulo(float left, float right) {
  int64_t l = RoundToInt64(left);
  int64_t r = RoundToInt64(right);
  if (r == 0 || r == -1) return 0;
  return float(l % r);
}

// "%" by a number the program fixes ("COUNT%60"): the divisor's magnitude
// and 2^64 / magnitude rounded up, worked out once, give the remainder of a
// dividend below 2^32 in magnitude with two multiplications instead of a
// division (Lemire, Kaser and Kurz, "Faster remainder by direct
// computation"). Other dividends, and divisors that round to 0 or reach
// 2^32, take Modulo's way; the results are Modulo's in every case.
struct TConstantModulus {
  uint32_t Divisor = 0;  // 0: use Modulo
  uint64_t Reciprocal = 0;
};

TConstantModulus ConstantModulus(float right);

inline float ModuloByConstant(float left, float right, const TConstantModulus& modulus) {
  const int64_t l = RoundToInt64(left);
  const uint64_t magnitude = l < 0 ? 0 - uint64_t(l) : uint64_t(l);
  if (modulus.Divisor == 0 || magnitude > UINT32_MAX) [[unlikely]]
    return Modulo(left, right);
  const uint64_t fraction = modulus.Reciprocal * magnitude;
  const auto remainder = int64_t((static_cast<unsigned __int128>(fraction) * modulus.Divisor) >> 64);
  return float(l < 0 ? -remainder : remainder);
}

// The angle functions one by one.
// (objects/degree_table.h: whole degrees come from a table, to the same bit.)
inline float SinDegrees(float degrees) { return ToSingle(SinOfDegrees(double(degrees))); }
inline float RSinDegrees(float degrees) { return ToSingle(SinOfDegrees(RoundHalfEven(degrees))); }
inline float CosDegrees(float degrees) { return ToSingle(CosOfDegrees(double(degrees))); }
inline float RCosDegrees(float degrees) { return ToSingle(CosOfDegrees(RoundHalfEven(degrees))); }
inline float TanDegrees(float degrees) { return ToSingle(std::tan(double(degrees) * kRadiansPerDegree)); }

}  // namespace vuzed
