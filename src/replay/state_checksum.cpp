#include "replay/state_checksum.h"

#include <bit>
#include <string_view>

#include "enemy/enemy_control.h"
#include "game/game_context.h"
#include "objects/fnv_hash.h"
#include "player/player_control.h"
#include "stage/script_run.h"
#include "state/state.h"

namespace vuzed {
namespace {

class TChecksum {
 public:
  void Add(uint32_t v) {
    const char bytes[4] = {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    Hash_ = Fnv1a(std::string_view(bytes, 4), Hash_);
  }
  void Add(int32_t v) { Add(uint32_t(v)); }
  void Add(float v) { Add(std::bit_cast<uint32_t>(v)); }
  void Add(bool v) { Add(uint32_t(v ? 1 : 0)); }
  template <typename List, typename Each>
  void AddList(const List& list, Each each) {
    Add(uint32_t(list.size()));
    for (const auto& object : list) {
      Add(object != nullptr);
      if (object) each(*object);
    }
  }
  uint64_t Value() const { return Hash_; }

 private:
  uint64_t Hash_ = kFnvOffsetBasis;
};

}  // namespace

uint64_t GameStateChecksum(const TGameContext& game) {
  TChecksum sum;
  sum.Add(game.RandSeed);
  sum.Add(int32_t(game.Scene));
  if (game.ScriptRun) {
    sum.Add(int32_t(game.ScriptRun->ScriptMode));
    sum.Add(game.ScriptRun->MainCount);
  }
  if (game.State) sum.Add(game.State->Score);
  if (const TPlayerControl* player = game.PlayerControl.get()) {
    const TPlayer& ship = player->Ship;
    for (float v : {ship.X, ship.Y, ship.Power}) sum.Add(v);
    for (int32_t v : {ship.Lives, ship.Bombs, ship.Hp, ship.Graze, ship.HitsTaken, ship.BombTimer,
                      ship.InvulnerableTimer, ship.DeathTimer})
      sum.Add(v);
    sum.Add(ship.Alive);
    auto shot = [&](const TPlayerTama& s) {
      sum.Add(s.Active);
      if (s.Active) {
        sum.Add(s.X);
        sum.Add(s.Y);
      }
    };
    sum.AddList(player->Shots, shot);
    sum.AddList(player->BombShots, shot);
  }
  if (const TEnemyControl* enemies = game.EnemyControl.get()) {
    sum.AddList(enemies->Enemies, [&](const TEnemy& e) {
      sum.Add(e.X);
      sum.Add(e.Y);
      sum.Add(e.Hp);
      sum.Add(e.Count);
    });
    sum.AddList(enemies->Tamas, [&](const TEnemyTama& t) {
      for (float v : {t.TamaX, t.TamaY, t.Angle, t.Speed}) sum.Add(v);
    });
    auto position = [&](const auto& o) {
      sum.Add(o.X);
      sum.Add(o.Y);
    };
    sum.AddList(enemies->Items, position);
    sum.AddList(enemies->Effects, position);
  }
  return sum.Value();
}

}  // namespace vuzed
