#pragma once
// What the enemy control and the run dump ask of the lasers in the bullet
// list.

#include <cstdint>

namespace vuzed {

class TEnemyTama;

// For a laser (LA01 or LA02 alike): its graze and hit test against the
// player for this frame; true when the laser has finished (no segment left)
// and leaves the bullet list. False for every other bullet.
bool TestLaserAgainstPlayer(TEnemyTama& bullet);

// The live segments of a laser, or -1 for a bullet that is no laser.
int32_t LaserSegmentCount(const TEnemyTama& bullet);

}  // namespace vuzed
