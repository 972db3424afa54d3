#pragma once
// Sines and cosines of angles in degrees, in double precision:
// sin(degrees * pi / 180) and cos(degrees * pi / 180), computed exactly so.
//
// Scripts turn by whole degrees far more often than not (I*12, COUNT*3,
// GETANGLETOPLAYER aside), so the sines and cosines of the whole degrees
// from -kDegreeTableReach to kDegreeTableReach are worked out once, by the
// same formula, into a table. A result from the table is the formula's to
// the bit; every other angle (fractions, -0, the far ones, NaN) goes to the
// formula itself.

#include <cmath>
#include <numbers>

namespace vuzed {

inline constexpr int kDegreeTableReach = 4096;
inline constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

struct TSineCosine {
  double Sin = 0;
  double Cos = 0;
};

// The table's entry for whole degree d is at d + kDegreeTableReach.
const TSineCosine* MakeDegreeTable();

inline const TSineCosine* DegreeTable() {
  static const TSineCosine* const table = MakeDegreeTable();
  return table;
}

// The table's entry for an angle, or null when the formula must work it out.
inline const TSineCosine* WholeDegreeEntry(double degrees) {
  if (!(std::fabs(degrees) <= kDegreeTableReach)) return nullptr;  // also NaN
  const int whole = int(degrees);
  if (double(whole) != degrees) return nullptr;
  if (whole == 0 && std::signbit(degrees)) return nullptr;  // sin(-0) is -0
  return DegreeTable() + (whole + kDegreeTableReach);
}

inline double SinOfDegrees(double degrees) {
  if (const TSineCosine* entry = WholeDegreeEntry(degrees)) return entry->Sin;
  return std::sin(degrees * kRadiansPerDegree);
}

inline double CosOfDegrees(double degrees) {
  if (const TSineCosine* entry = WholeDegreeEntry(degrees)) return entry->Cos;
  return std::cos(degrees * kRadiansPerDegree);
}

}  // namespace vuzed
