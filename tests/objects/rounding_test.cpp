#include "objects/rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace vuzed {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int32_t kMin32 = std::numeric_limits<int32_t>::min(), kMax32 = std::numeric_limits<int32_t>::max();
constexpr int64_t kMin64 = std::numeric_limits<int64_t>::min(), kMax64 = std::numeric_limits<int64_t>::max();

TEST(Rounding, HalfToEvenIntoThirtyTwoBitsSaturatesAndNaNIsZero) {
  struct Case {
    double Value;
    int32_t Expected;
  };
  for (Case c : {Case{0.0, 0}, Case{-0.0, 0}, Case{0.5, 0}, Case{1.5, 2}, Case{2.5, 2}, Case{3.5, 4},
                 Case{-0.5, 0}, Case{-1.5, -2}, Case{-2.5, -2}, Case{0.49999999999999994, 0},
                 Case{std::nextafter(2.5, 3.0), 3}, Case{-7.25, -7}, Case{255.5, 256},
                 Case{2147483646.5, 2147483646}, Case{2147483647.0, kMax32}, Case{2147483647.5, kMax32},
                 Case{1e10, kMax32}, Case{kInf, kMax32}, Case{-2147483648.0, kMin32},
                 Case{-2147483648.5, kMin32}, Case{-2147483647.5, -2147483648}, Case{-1e300, kMin32},
                 Case{-kInf, kMin32}, Case{kNaN, 0}, Case{-kNaN, 0}}) {
    EXPECT_EQ(RoundToInt32(c.Value), c.Expected) << c.Value;
  }
}

TEST(Rounding, HalfToEvenIntoSixtyFourBitsSaturatesAndNaNIsZero) {
  const double two63 = 9223372036854775808.0;
  struct Case {
    double Value;
    int64_t Expected;
  };
  for (Case c : {Case{2.5, 2}, Case{-3.5, -4}, Case{3e9 + 0.5, 3000000000}, Case{4503599627370497.0, 4503599627370497},
                 Case{std::nextafter(two63, 0.0), 9223372036854774784}, Case{two63, kMax64}, Case{1e30, kMax64},
                 Case{kInf, kMax64}, Case{-two63, kMin64}, Case{-1e30, kMin64}, Case{-kInf, kMin64},
                 Case{kNaN, 0}}) {
    EXPECT_EQ(RoundToInt64(c.Value), c.Expected) << c.Value;
  }
}

// Inside the range every result is the library's rounding in its default
// mode, which the game's earlier arithmetic relied on.
TEST(Rounding, InRangeResultsAreTheLibrarys) {
  for (double v = -1000.0; v <= 1000.0; v += 0.125) {
    EXPECT_EQ(RoundToInt32(v), int32_t(std::nearbyint(v))) << v;
    EXPECT_EQ(RoundToInt64(v * 1e6), int64_t(std::nearbyint(v * 1e6))) << v;
  }
  for (float f : {0.1f, 8388606.5f, -8388605.5f, 3.4e9f}) EXPECT_EQ(RoundToInt64(f), int64_t(std::nearbyint(f))) << f;
}

}  // namespace
}  // namespace vuzed
