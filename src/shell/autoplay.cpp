#include "shell/autoplay.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "enemy/enemy_control.h"
#include "enemy/enemy_laser.h"
#include "engine/input/dik_codes.h"
#include "game/game_context.h"
#include "player/player_control.h"

namespace vuzed {
namespace {

constexpr int kHorizon = 16;                 // frames looked ahead
constexpr float kSeeRadius = 160;            // things farther away are ignored
constexpr float kMargin = 10;                // clearance that starts to cost
constexpr float kHomeX = 200, kHomeY = 400;  // the bottom middle of the field

// Where the ship may go: the layout's bounds, or the VERTICAL field's.
struct TField {
  float MaxX = 400, MaxY = 440;
};

// One thing to keep clear of, moving in a straight line.
struct TThreat {
  float X, Y, Dx, Dy, Radius;
};

void AddThreat(std::vector<TThreat>& threats, float shipX, float shipY, float x, float y, float dx, float dy,
               float radius) {
  if (!std::isfinite(x) || !std::isfinite(y)) return;
  if (std::abs(x - shipX) > kSeeRadius || std::abs(y - shipY) > kSeeRadius) return;
  threats.push_back({x, y, std::isfinite(dx) ? dx : 0, std::isfinite(dy) ? dy : 0, radius});
}

std::vector<TThreat> Threats(const TEnemyControl& enemies, float shipX, float shipY) {
  std::vector<TThreat> threats;
  for (const auto& bullet : enemies.Tamas) {
    if (!bullet) continue;
    if (const TEnemyTamaLaser1* laser = std::as_const(*bullet).AsLaser()) {
      // A beam's segments stand where they are; a warming one will hit soon.
      const float radius = std::max(float(laser->Look.Atari), laser->Look.FullWidth / 4);
      for (const TLaserSegment& segment : laser->Segments)
        AddThreat(threats, shipX, shipY, segment.TamaX, segment.TamaY, 0, 0, radius);
      continue;
    }
    AddThreat(threats, shipX, shipY, bullet->TamaX, bullet->TamaY, bullet->TamaIdouX, bullet->TamaIdouY,
              float(bullet->Atari));
  }
  for (const auto& enemy : enemies.Enemies)
    if (enemy && enemy->Atari > 0)
      AddThreat(threats, shipX, shipY, enemy->X, enemy->Y, enemy->IdouX, enemy->IdouY, float(enemy->Atari));
  return threats;
}

// The x of the enemy nearest above the ship (to stand under and shoot), or
// the field's middle.
float AimX(const TEnemyControl& enemies, const TField& field, float shipX, float shipY) {
  float best = kHomeX, bestDistance = INFINITY;
  for (const auto& enemy : enemies.Enemies) {
    if (!enemy || enemy->Atari <= 0 || enemy->Y >= shipY || enemy->Y < 0) continue;
    const float distance = std::abs(enemy->X - shipX) + (shipY - enemy->Y) / 4;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = enemy->X;
    }
  }
  return std::clamp(best, 20.0f, field.MaxX - 20);
}

// The cost of holding one move for the whole horizon.
double MoveCost(const std::vector<TThreat>& threats, const TField& field, float shipX, float shipY, float shipRadius,
                float vx, float vy, float aimX) {
  double cost = 0;
  float x = shipX, y = shipY;
  for (int t = 1; t <= kHorizon; ++t) {
    x = std::clamp(x + vx, 0.0f, field.MaxX);
    y = std::clamp(y + vy, 0.0f, field.MaxY);
    const double weight = 1.0 / t;
    for (const TThreat& threat : threats) {
      const float bx = threat.X + threat.Dx * float(t), by = threat.Y + threat.Dy * float(t);
      const double clearance = std::hypot(double(bx - x), double(by - y)) - threat.Radius - shipRadius;
      if (clearance < 0)
        cost += 1000 * weight;
      else if (clearance < kMargin)
        cost += (kMargin - clearance) * (kMargin - clearance) * weight;
    }
  }
  // Where the ship ends: near the bottom, under its target, off the walls.
  cost += 0.0005 * double((x - aimX) * (x - aimX)) + 0.001 * double((y - kHomeY) * (y - kHomeY));
  if (x < 8 || x > field.MaxX - 8 || y < 200) cost += 5;
  return cost;
}

}  // namespace

void TAutoplayInput::Decide(const TGameContext& game) {
  MoveX_ = MoveY_ = 0;
  Slow_ = false;
  if (game.Scene != TScene::Game || !game.PlayerControl || !game.EnemyControl) return;
  const TPlayer& ship = game.PlayerControl->Ship;
  if (!ship.Alive) return;
  TField field;
  ShipBounds(game.LayoutMode, field.MaxX, field.MaxY);
  const std::vector<TThreat> threats = Threats(*game.EnemyControl, ship.X, ship.Y);
  const float aimX = AimX(*game.EnemyControl, field, ship.X, ship.Y);

  double best = INFINITY;
  for (int slow = 0; slow <= 1; ++slow) {
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        if (slow && dx == 0 && dy == 0) continue;  // standing still is one move
        float vx = 0, vy = 0;
        ShipStep(dx, dy, slow != 0, vx, vy);
        const double cost = MoveCost(threats, field, ship.X, ship.Y, float(ship.Atari), vx, vy, aimX);
        if (cost < best) {
          best = cost;
          MoveX_ = dx;
          MoveY_ = dy;
          Slow_ = slow != 0;
        }
      }
    }
  }
}

bool TAutoplayInput::BotKey(uint8_t dik) const {
  switch (dik) {
    case dik::Z: return true;
    case dik::LEFT: return MoveX_ < 0;
    case dik::RIGHT: return MoveX_ > 0;
    case dik::UP: return MoveY_ < 0;
    case dik::DOWN: return MoveY_ > 0;
    case dik::LSHIFT: return Slow_;
    default: return false;
  }
}

bool TAutoplayInput::ReadKeyboard(std::array<uint8_t, 256>& keys) {
  const bool read = Inner_.ReadKeyboard(keys);
  for (int k = 0; k < 256; ++k)
    if (BotKey(uint8_t(k))) keys[size_t(k)] |= 0x80;
  return read;
}

bool TAutoplayInput::IsKeyDown(uint8_t dik) { return BotKey(dik) || Inner_.IsKeyDown(dik); }

}  // namespace vuzed
