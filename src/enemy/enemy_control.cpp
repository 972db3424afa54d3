#include "enemy/enemy_control.h"

#include "enemy/enemy_laser.h"

#include <algorithm>
#include <cstring>

#include "objects/circle_test.h"
#include "enemy/enemy_tama_math.h"
#include "enemy/laser_hooks.h"
#include "player/player_control.h"
#include "game/stage_shared.h"
#include "game/playfield.h"
#include "game/play_state.h"

namespace vuzed {
namespace {

// Empty slots go. The list keeps the room it has grown to: trimming it
// would change nothing anyone sees, and steady play then allocates nothing
// for the lists from frame to frame.
template <class T>
void Pack(std::vector<std::unique_ptr<T>>& list) {
  list.erase(std::remove(list.begin(), list.end(), nullptr), list.end());
}

// A dying enemy drops its header's count + 1 of each kind of item. A count
// from a broken header so large that it would stall the game is cut to this
// many items of a kind.
constexpr int64_t kMaxDropsPerKind = 10000;

// The explosion of a dying enemy is turned by 30 degrees.
constexpr float kEnemyExplosionAngle = 30;

// Every collected item adds this to the ship's power and 31 to the score.
constexpr float kItemPower = 0.02f;
constexpr int32_t kItemScore = 31;

}  // namespace

TEnemyControl::TEnemyControl(TPlayfield& playfield) : Field_(playfield) {
  EnterPlayfield(Field_.Enemies, this);
  EnterPlayfield(Field_.FieldObjects, this);
}

TEnemyControl::~TEnemyControl() {
  LeavePlayfield(Field_.Enemies, this);
  LeavePlayfield(Field_.FieldObjects, this);
}

// Bullets lie wherever the pool put them: the list's walks ask for the
// bullet a few places ahead while working on this one, so its memory is on
// its way when its turn comes.
constexpr size_t kPrefetchAhead = 8;

// A bullet's flight reads its first cache line (type, radius, count, place,
// movement, flags; enemy_tama.h), scripted bullets also the third (the
// expression owner's) and the kinds with fields of their own the fourth,
// where those begin. Its drawing reads the first two.
inline void PrefetchForFlight(const TEnemyTama* bullet) {
  if (!bullet) return;
  const char* at = reinterpret_cast<const char*>(bullet);
  __builtin_prefetch(at);
  __builtin_prefetch(at + 128);
  __builtin_prefetch(at + 192);
}

inline void PrefetchForDrawing(const TEnemyTama* bullet) {
  if (!bullet) return;
  const char* at = reinterpret_cast<const char*>(bullet);
  __builtin_prefetch(at);
  __builtin_prefetch(at + 64);
}

void TEnemyControl::Update() {
  UpdateEnemies();
  UpdateTamas();
  UpdateItems();
  UpdateEffects();
  for (auto& enemy : Enemies)
    if (enemy) enemy->Draw();
  for (auto& item : Items)
    if (item) item->Draw();
  for (size_t i = 0; i < Tamas.size(); ++i) {
    if (i + kPrefetchAhead < Tamas.size()) PrefetchForDrawing(Tamas[i + kPrefetchAhead].get());
    if (Tamas[i]) Tamas[i]->Draw();
  }
}

// ---- Enemies ----

void TEnemyControl::UpdateEnemies() {
  // Paused or in a dialogue scene, enemies neither think nor move (they are
  // still drawn).
  if (Field_.Stage && Field_.Stage->ScriptMode != TScriptMode::Running) return;
  const size_t count = Enemies.size();
  for (size_t i = 0; i < count && i < Enemies.size(); ++i) {
    TEnemy* enemy = Enemies[i].get();
    if (!enemy) continue;
    // A dead enemy runs its script once more before it goes: in the same
    // frame after DESTROY, in the next after a kill.
    enemy->Action();
    if (enemy->Dead) {
      if (enemy->Hp <= 0) Explode(*enemy);
      Enemies[i].reset();
      continue;
    }
    enemy->Move();
    if (enemy->Atari > 0) TestShots(*enemy);
  }
  Pack(Enemies);
}

std::string FullListText(TCappedList list) {
  const bool bullets = list == TCappedList::Bullets;
  return std::string(bullets ? "the bullet list is full (" + std::to_string(kMaxBullets) + " bullets)"
                             : "the enemy list is full (" + std::to_string(kMaxEnemies) + " enemies and familiars)") +
         ": nothing more is made here until some are gone";
}

void TEnemyControl::Explode(const TEnemy& enemy) {
  if (Effects.size() < kMaxEffects)
    Effects.push_back(std::make_unique<TEnemyExplosion>(Field_, enemy.X, enemy.Y, kEnemyExplosionAngle));
  const int32_t x = RoundToInt32(enemy.X), y = RoundToInt32(enemy.Y);
  // A count of -1 or less drops nothing of that kind.
  const int64_t power = std::min<int64_t>(int64_t(enemy.PowerItems) + 1, kMaxDropsPerKind);
  const int64_t score = std::min<int64_t>(int64_t(enemy.ScoreItems) + 1, kMaxDropsPerKind);
  for (int64_t k = 0; k < power && Items.size() < kMaxItems; ++k) Items.push_back(std::make_unique<TPowerItem>(Field_, x, y));
  for (int64_t k = 0; k < score && Items.size() < kMaxItems; ++k) Items.push_back(std::make_unique<TScoreItem>(Field_, x, y));
}

void TEnemyControl::TestShots(TEnemy& enemy) {
  TPlayerControl* player = Field_.Player;
  if (!player) return;
  // A shot that hits is spent: it cannot hit a second enemy, while one enemy
  // may take several shots in a frame.
  auto testPool = [&](auto& pool) {
    for (auto& shot : pool) {
      if (!shot || !shot->Active) continue;
      if (!CirclesTouch(enemy.X, enemy.Y, enemy.Atari, shot->X, shot->Y, shot->Atari)) continue;
      enemy.Damage(shot->Damage);
      shot->Active = false;
      if (Field_.Play) Field_.Play->AddScore(1);
    }
  };
  testPool(player->Shots);
  testPool(player->BombShots);
}

// ---- Enemy bullets ----

void TEnemyControl::UpdateTamas() {
  TPlayer* ship = Field_.Player ? &Field_.Player->Ship : nullptr;
  const float px = ship ? ship->X : 0.0f, py = ship ? ship->Y : 0.0f;
  const int32_t hitRadius = ship ? ship->Atari : 0, grazeRadius = ship ? ship->GrazeRadius : 0;
  const size_t count = Tamas.size();
  for (size_t i = 0; i < count && i < Tamas.size(); ++i) {
    TEnemyTama* bullet = Tamas[i].get();
    if (i + kPrefetchAhead < Tamas.size()) PrefetchForFlight(Tamas[i + kPrefetchAhead].get());
    if (!bullet) continue;
    if (bullet->Step()) {
      Tamas[i].reset();
      continue;
    }
    // Only a bullet inside the graze circle is tested for a hit; each
    // bullet grazes once in its life. A laser itself is only the holder of
    // its segments, parked at the playfield's corner with no radius: its
    // segments graze and hit (below), the holder never does (a ship
    // touching the corner would otherwise take the whole beam away).
    const bool laser = bullet->IsLaser();
    if (ship && !laser && CirclesTouch(bullet->TamaX, bullet->TamaY, bullet->Atari, px, py, grazeRadius)) {
      if (!bullet->Grazed) {
        ++ship->Graze;
        bullet->Grazed = true;
      }
      if (CirclesTouch(bullet->TamaX, bullet->TamaY, bullet->Atari, px, py, hitRadius)) {
        ship->Hit(bullet->HitDamage);
        if (i < Tamas.size()) Tamas[i].reset();
        continue;
      }
    }
    // Lasers of both kinds test their segments against the player; a laser
    // with no segment left is done and leaves the list (it could no longer
    // be seen, graze or hit).
    if (laser && TestLaserAgainstPlayer(*bullet) && i < Tamas.size()) Tamas[i].reset();
  }
  Pack(Tamas);
}

// ---- Items ----

void TEnemyControl::UpdateItems() {
  TPlayer* ship = Field_.Player ? &Field_.Player->Ship : nullptr;
  // High up or bombing, the ship draws every item to it for good.
  const bool attract = ship && (ship->Y < 100 || ship->BombTimer > 0);
  const size_t count = Items.size();
  for (size_t i = 0; i < count; ++i) {
    TPowerItem* item = Items[i].get();
    if (!item) continue;
    if (attract) item->Homing = true;
    item->Action();
    item->Move();
    // A collected item is gone at once and not tested again this frame.
    if (ship && item->Collected()) {
      ship->Power = ship->Power + kItemPower;
      if (Field_.Play) Field_.Play->AddScore(kItemScore);
      Items[i].reset();
      continue;
    }
    if (item->IsOut()) Items[i].reset();
  }
  Pack(Items);
}

// ---- Explosions ----

void TEnemyControl::UpdateEffects() {
  const size_t count = Effects.size();
  for (size_t i = 0; i < count; ++i) {
    TEnemyExplosion* effect = Effects[i].get();
    if (!effect) continue;
    effect->Action();
    if (effect->Dead)
      Effects[i].reset();
    else
      effect->Draw();
  }
  Pack(Effects);
}

// ---- Clear operations ----

void TEnemyControl::ClearTamas() { Tamas.clear(); }

void TEnemyControl::AddExplosion(float x, float y) {
  if (Effects.size() >= kMaxEffects) return;
  Effects.push_back(std::make_unique<TEnemyExplosion>(Field_, x, y, 0.0f));
}

void TEnemyControl::KillAllEnemies() {
  for (auto& enemy : Enemies) {
    if (!enemy) continue;
    enemy->Hp = -1;
    enemy->Dead = true;
  }
}

void TEnemyControl::KillAllButBoss() {
  for (auto& enemy : Enemies) {
    if (!enemy || std::strcmp(enemy->ClassName(), "TBoss") == 0) continue;
    enemy->Hp = -1;
    enemy->Dead = true;
  }
}

void TEnemyControl::FreeAllEnemies() { Enemies.clear(); }

}  // namespace vuzed
