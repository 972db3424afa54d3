#pragma once
// TEnemyControl: owns every enemy, enemy bullet, explosion and item of the
// playfield, and steps, tests and draws them once per game frame.
//
// Lists are stepped by index over the objects present when the loop began
// (objects appended meanwhile wait for the next frame); a dead object's slot
// is emptied inside the loop and the list packed once after it, so no object
// is skipped or visited twice in a frame.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "enemy/enemy.h"
#include "enemy/enemy_explosion.h"
#include "enemy/enemy_tama.h"
#include "enemy/item.h"
#include "game/field_objects.h"

namespace vuzed {

struct TPlayfield;

// The most objects each list holds: room for any honest stage (and a
// hundred thousand bullets), and a bound on what a runaway script can make.
// A creation beyond it is skipped; one made by a script is reported once per
// script line.
constexpr size_t kMaxBullets = 131072;
constexpr size_t kMaxEnemies = 8192;  // enemies, bosses and familiars
constexpr size_t kMaxItems = 16384;
constexpr size_t kMaxEffects = 16384;

// The capped lists a script can fill, and what it is told when a creation is
// skipped because one is full.
enum class TCappedList { Bullets, Enemies };
std::string FullListText(TCappedList list);

class TEnemyControl final : public TFieldObjects {
 public:
  explicit TEnemyControl(TPlayfield& playfield);
  ~TEnemyControl();

  // One frame, in this order: enemies (only while the stage runs: not
  // paused, no dialogue), enemy bullets, items, explosions, then drawing of
  // enemies, items and bullets.
  void Update();

  // Frees every enemy bullet at once.
  void ClearTamas();
  // The ship's view (game/field_objects.h).
  void ClearBullets() override { ClearTamas(); }
  void AddExplosion(float x, float y) override;
  // Every enemy gets Hp -1 and Dead: each explodes and drops its items at
  // the next Update.
  void KillAllEnemies();
  // The same for every enemy whose class is not exactly TBoss.
  void KillAllButBoss();
  // Frees every enemy (no explosions, no items).
  void FreeAllEnemies();

  bool BulletsFull() const { return Tamas.size() >= kMaxBullets; }
  bool EnemiesFull() const { return Enemies.size() >= kMaxEnemies; }

  // The playfield lists, in list order.
  std::vector<std::unique_ptr<TEnemy>> Enemies;
  std::vector<std::unique_ptr<TEnemyTama>> Tamas;
  std::vector<std::unique_ptr<TEnemyExplosion>> Effects;
  std::vector<std::unique_ptr<TPowerItem>> Items;

 private:
  void UpdateEnemies();
  // An enemy that died with Hp <= 0: an explosion and its items.
  void Explode(const TEnemy& enemy);
  // The player's active shots against one enemy.
  void TestShots(TEnemy& enemy);
  void UpdateTamas();
  void UpdateItems();
  void UpdateEffects();

  TPlayfield& Field_;
};

}  // namespace vuzed
