// Angle helpers shared by the status display's animations.

#include "state/state_anim.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "objects/rounding.h"

namespace vuzed {

double SinDeg(int32_t degrees) { return std::sin(double(degrees) * std::numbers::pi / 180.0); }
double CosDeg(int32_t degrees) { return std::cos(double(degrees) * std::numbers::pi / 180.0); }

uint32_t WhiteAtAlpha(double alpha) {
  return uint32_t(std::clamp(RoundToInt32(alpha), 0, 255)) << 24 | 0x00FFFFFF;
}

}  // namespace vuzed
