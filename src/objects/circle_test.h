#pragma once
// The circle test of every hit, graze and pick-up on the playfield.

#include <cstdint>

namespace vuzed {

// A at (ax, ay) with radius ra against B at (bx, by) with radius rb. Two box
// rejects come first (touching boxes miss: ax - ra >= bx + rb rejects, and
// so does ax + ra <= bx - rb; the same vertically), then the circles overlap
// when (ra + rb)^2 > dx^2 + dy^2, the right side in single precision.
// Equality is a miss.
bool CirclesTouch(float ax, float ay, int32_t ra, float bx, float by, int32_t rb);

}  // namespace vuzed
