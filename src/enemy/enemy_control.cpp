#include "enemy/enemy_control.h"

#include <cstring>

namespace vuzed {

TEnemyControl::TEnemyControl(TGameContext& context) : Context_(context) {}
TEnemyControl::~TEnemyControl() = default;

void TEnemyControl::Update() {}

void TEnemyControl::ClearTamas() { Tamas.clear(); }

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
