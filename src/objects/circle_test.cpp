#include "objects/circle_test.h"

namespace vuzed {

bool CirclesTouch(float ax, float ay, int32_t ra, float bx, float by, int32_t rb) {
  const float fa = float(ra), fb = float(rb);
  if (ax - fa >= bx + fb || !(ax + fa > bx - fb)) return false;
  if (ay - fa >= by + fb || !(ay + fa > by - fb)) return false;
  const float dx = bx - ax, dy = by - ay;
  const float distance = dx * dx + dy * dy;
  const int64_t sum = int64_t(ra) + rb;
  return double(sum * sum) > double(distance);
}

}  // namespace vuzed
