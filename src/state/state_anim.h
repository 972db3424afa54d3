#pragma once
// Angle helpers of the status display's animations. Angles are whole degrees;
// rounding is half to even.

#include <cstdint>

namespace vuzed {

double SinDeg(int32_t degrees);
double CosDeg(int32_t degrees);
// Rounded half to even; values beyond the 32-bit range stop at its ends and
// a value that is not a number is 0.
int32_t RoundToInt(double v);
// Opaque-white RGB with alpha round(alpha), kept within 0..255.
uint32_t WhiteAtAlpha(double alpha);

}  // namespace vuzed
