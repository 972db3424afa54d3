#pragma once
// The number rules enemy bullets and lasers share.
//
// - Round: RoundToInt32 of objects/rounding.h (half to even, clamped into
//   the 32-bit integer range; NaN is 0).
// - A direction in degrees and a speed become a movement per frame as
//   (cos(angle) * speed, sin(angle) * speed); the degree conversion, the
//   trigonometry and the product are done in double precision from the
//   single-precision operands and only the result is stored as single.

#include <cmath>
#include <cstdint>
#include <numbers>

#include "objects/degree_table.h"
#include "objects/rounding.h"

namespace vuzed {

inline constexpr double kTamaRadToDeg = 180.0 / std::numbers::pi;

// cos(angle) * speed and sin(angle) * speed for an angle in degrees.
// (objects/degree_table.h: whole degrees come from a table, to the same bit.)
inline float CosTimes(float angleDeg, float speed) { return float(CosOfDegrees(double(angleDeg)) * double(speed)); }
inline float SinTimes(float angleDeg, float speed) { return float(SinOfDegrees(double(angleDeg)) * double(speed)); }

}  // namespace vuzed
