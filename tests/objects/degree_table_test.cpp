#include "objects/degree_table.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace vuzed {
namespace {

// The table must give exactly what the formula gives: every whole degree it
// holds, the ones just past its ends, fractions, -0 and the values a double
// cannot make whole.
TEST(DegreeTable, EveryAngleMatchesTheFormulaToTheBit) {
  std::vector<double> angles;
  for (int d = -kDegreeTableReach - 2; d <= kDegreeTableReach + 2; ++d) angles.push_back(d);
  for (double a : {-0.0, 0.5, -0.5, 89.999999, 90.000001, 1e-300, -1e-300, 1e9, -1e9, 2147483648.0, -2147483649.0,
                   std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                   std::numeric_limits<double>::quiet_NaN()})
    angles.push_back(a);
  for (double a : angles) {
    const double radians = a * (std::numbers::pi / 180.0);
    EXPECT_EQ(std::bit_cast<uint64_t>(SinOfDegrees(a)), std::bit_cast<uint64_t>(std::sin(radians))) << "sin " << a;
    EXPECT_EQ(std::bit_cast<uint64_t>(CosOfDegrees(a)), std::bit_cast<uint64_t>(std::cos(radians))) << "cos " << a;
  }
  // Only whole degrees within reach, and not -0, are taken from the table.
  EXPECT_NE(WholeDegreeEntry(kDegreeTableReach), nullptr);
  EXPECT_NE(WholeDegreeEntry(-kDegreeTableReach), nullptr);
  EXPECT_EQ(WholeDegreeEntry(kDegreeTableReach + 1), nullptr);
  EXPECT_EQ(WholeDegreeEntry(-0.0), nullptr);
  EXPECT_EQ(WholeDegreeEntry(0.5), nullptr);
}

}  // namespace
}  // namespace vuzed
