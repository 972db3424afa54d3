#pragma once
// The game's rounding: to the nearest whole number, ties to even
// (2.5 -> 2, 3.5 -> 4, -2.5 -> -2), as the FPU does in its default mode,
// which the game never changes. Script arithmetic, bullet and laser
// positions, picture numbers, fades and gauges all round this way, so a
// replay or a stored score comes out the same whatever computed it.
//
// Into an integer type, every input has an answer:
// - a value that rounds beyond the type's range, infinity included, stops at
//   the nearer end of the range;
// - NaN is 0.
// The script operators "|" and "%" and RANDOM round into 64 bits, the rest
// of the game into 32.

#include <cmath>
#include <cstdint>
#include <limits>

namespace vuzed {

// Half to even as a double; -0.3 gives -0, and values too large to have a
// fraction, infinities and NaN come back unchanged. Equal to std::nearbyint
// in the default rounding mode, without depending on that mode: adding 2^52
// leaves no fraction bits, so the addition itself rounds, half to even.
inline double RoundHalfEven(double value) {
  constexpr double kNoFraction = 4503599627370496.0;  // 2^52
  const double magnitude = std::fabs(value);
  if (!(magnitude < kNoFraction)) return value;  // already whole, infinite or NaN
  return std::copysign((magnitude + kNoFraction) - kNoFraction, value);
}

// Half to even into Int, saturating at its ends; NaN is 0.
template <typename Int>
inline Int RoundToInteger(double value) {
  // Both bounds are exact doubles for 32-bit types; for 64-bit ones the upper
  // bound reads as 2^63, one past the largest value, which is still the
  // right place to stop.
  constexpr double kLow = double(std::numeric_limits<Int>::min());
  constexpr double kHigh = double(std::numeric_limits<Int>::max());
  if (std::isnan(value)) return 0;
  const double r = RoundHalfEven(value);
  if (r <= kLow) return std::numeric_limits<Int>::min();
  if (r >= kHigh) return std::numeric_limits<Int>::max();
  return Int(r);
}

inline int32_t RoundToInt32(double value) { return RoundToInteger<int32_t>(value); }
inline int64_t RoundToInt64(double value) { return RoundToInteger<int64_t>(value); }

}  // namespace vuzed
