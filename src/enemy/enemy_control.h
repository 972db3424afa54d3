#pragma once
// TEnemyControl: owns every enemy, enemy bullet, effect and item of the
// playfield, and steps, tests and draws them once per game frame.

#include <memory>
#include <vector>

#include "enemy/enemy.h"
#include "objects/character.h"

namespace vuzed {

struct TGameContext;

class TEnemyControl {
 public:
  explicit TEnemyControl(TGameContext& context);
  ~TEnemyControl();

  void Update();

  // Frees every enemy bullet at once.
  void ClearTamas();
  // Every enemy gets Hp -1 and Dead: each explodes and drops its items at
  // the next Update.
  void KillAllEnemies();
  // The same for every enemy whose class is not exactly TBoss.
  void KillAllButBoss();
  // Frees every enemy (no explosions, no items).
  void FreeAllEnemies();

  // The playfield lists, in list order.
  std::vector<std::unique_ptr<TEnemy>> Enemies;
  std::vector<std::unique_ptr<TCharacter>> Tamas;
  std::vector<std::unique_ptr<TCharacter>> Effects;
  std::vector<std::unique_ptr<TCharacter>> Items;

 private:
  [[maybe_unused]] TGameContext& Context_;
};

}  // namespace vuzed
