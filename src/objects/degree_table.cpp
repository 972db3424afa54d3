#include "objects/degree_table.h"

namespace vuzed {

const TSineCosine* MakeDegreeTable() {
  static TSineCosine table[2 * kDegreeTableReach + 1];
  for (int d = -kDegreeTableReach; d <= kDegreeTableReach; ++d) {
    const double radians = double(d) * kRadiansPerDegree;
    table[d + kDegreeTableReach] = {std::sin(radians), std::cos(radians)};
  }
  return table;
}

}  // namespace vuzed
