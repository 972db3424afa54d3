#include "enemy/laser_hooks.h"
// Lasers (TEnemyTamaLaser1 and TEnemyTamaLaser2 alike) answer AsLaser.

#include "enemy/enemy_laser.h"

namespace vuzed {

bool TestLaserAgainstPlayer(TEnemyTama& bullet) {
  TEnemyTamaLaser1* laser = bullet.AsLaser();
  if (!laser) return false;
  laser->TestPlayer();
  return laser->Finished;
}

int32_t LaserSegmentCount(const TEnemyTama& bullet) {
  const TEnemyTamaLaser1* laser = bullet.AsLaser();
  if (!laser) return -1;
  return int32_t(laser->Segments.size());
}

}  // namespace vuzed
