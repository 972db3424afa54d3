#pragma once
// The number rules enemy bullets and lasers share.
//
// - Round: half to even, clamped into the 32-bit integer range; NaN is 0.
// - A direction in degrees and a speed become a movement per frame as
//   (cos(angle) * speed, sin(angle) * speed); the degree conversion, the
//   trigonometry and the product are done in double precision from the
//   single-precision operands and only the result is stored as single.

#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>

namespace vuzed {

inline constexpr double kTamaDegToRad = std::numbers::pi / 180.0;
inline constexpr double kTamaRadToDeg = 180.0 / std::numbers::pi;

inline int32_t RoundToInt32(double value) {
  if (std::isnan(value)) return 0;
  const double r = std::nearbyint(value);
  if (r <= double(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
  if (r >= double(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
  return int32_t(r);
}

// cos(angle) * speed and sin(angle) * speed for an angle in degrees.
inline float CosTimes(float angleDeg, float speed) {
  return float(std::cos(double(angleDeg) * kTamaDegToRad) * double(speed));
}
inline float SinTimes(float angleDeg, float speed) {
  return float(std::sin(double(angleDeg) * kTamaDegToRad) * double(speed));
}

}  // namespace vuzed
