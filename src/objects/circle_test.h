#pragma once
// The circle test of every hit, graze and pick-up on the playfield.

#include <cstdint>

namespace vuzed {

// A at (ax, ay) with radius ra against B at (bx, by) with radius rb. Two box
// rejects come first (touching boxes miss: ax - ra >= bx + rb rejects, and
// so does ax + ra <= bx - rb; the same vertically), then the circles overlap
// when (ra + rb)^2 > dx^2 + dy^2, the right side in single precision.
// Equality is a miss.
// Inline: it runs for every bullet of every frame.
inline bool CirclesTouch(float ax, float ay, int32_t ra, float bx, float by, int32_t rb) {
  const float fa = float(ra), fb = float(rb);
  if (ax - fa >= bx + fb || !(ax + fa > bx - fb)) return false;
  if (ay - fa >= by + fb || !(ay + fa > by - fb)) return false;
  const float dx = bx - ax, dy = by - ay;
  const float distance = dx * dx + dy * dy;
  const int64_t sum = int64_t(ra) + rb;
  return double(sum * sum) > double(distance);
}

}  // namespace vuzed
