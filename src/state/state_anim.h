#pragma once
// Angle helpers of the status display's animations. Angles are whole degrees;
// rounding is half to even.

#include <cstdint>

namespace vuzed {

double SinDeg(int32_t degrees);
double CosDeg(int32_t degrees);
// Opaque-white RGB with alpha round(alpha), kept within 0..255.
uint32_t WhiteAtAlpha(double alpha);

}  // namespace vuzed
