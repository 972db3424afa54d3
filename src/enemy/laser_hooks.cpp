#include "enemy/laser_hooks.h"
// Lasers are recognised by class: TEnemyTamaLaser1 and TEnemyTamaLaser2 alike.

#include "enemy/enemy_laser.h"

namespace vuzed {

bool TestLaserAgainstPlayer(TEnemyTama& bullet) {
  auto* laser = dynamic_cast<TEnemyTamaLaser1*>(&bullet);
  if (!laser) return false;
  laser->TestPlayer();
  return laser->Finished;
}

int32_t LaserSegmentCount(const TEnemyTama& bullet) {
  const auto* laser = dynamic_cast<const TEnemyTamaLaser1*>(&bullet);
  if (!laser) return -1;
  int32_t live = 0;
  for (const auto& segment : laser->Segments)
    if (segment) ++live;
  return live;
}

}  // namespace vuzed
