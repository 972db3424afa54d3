// The enemy's "BU" commands: built-in bullets fired from the enemy.
//
// Arguments are the comma-separated fields inside the command's
// parentheses, split at every comma (so no argument holds a comma of its
// own), each evaluated for this enemy in field order when the command runs.
// A new bullet goes to the end of the bullet list, and the enemy-shot sound
// starts again unless it is still playing.

#include <memory>
#include <string>

#include "enemy/enemy.h"
#include "enemy/enemy_control.h"
#include "enemy/enemy_sound.h"
#include "enemy/enemy_tama.h"
#include "enemy/enemy_tama_math.h"
#include "objects/string_helpers.h"
#include "game/playfield.h"

namespace vuzed {

bool TEnemy::FireBullet(const TScriptLine& line, const TEnemyLine& decoded) {
  if (decoded.BulletKind == TBulletKind::None) return false;
  if (!Field_.Enemies) return true;

  auto field = [&](int k) -> std::string_view { return decoded.Fields[size_t(k - 1)].Text; };
  auto value = [&](int k) { return Evaluate(decoded.Fields[size_t(k - 1)], line.Place); };
  // The turning kinds start at the enemy's position rounded to whole pixels.
  const float roundX = float(RoundToInt32(X)), roundY = float(RoundToInt32(Y));

  std::unique_ptr<TEnemyTama> bullet;
  switch (decoded.BulletKind) {
    case TBulletKind::None:
      return false;
    case TBulletKind::Bu01: {  // speed, angle, picture
      const float speed = value(1), angle = value(2);
      bullet = std::make_unique<TEnemyBullet1>(Field_, X, Y, angle, speed, RoundToInt32(value(3)));
      break;
    }
    case TBulletKind::Bu02: {  // x, y, speed, angle, picture
      const float x = value(1), y = value(2), speed = value(3), angle = value(4);
      bullet = std::make_unique<TEnemyBullet1>(Field_, x, y, angle, speed, RoundToInt32(value(5)));
      break;
    }
    case TBulletKind::Bu03: {  // speed, tx, ty, picture: aimed at the point
      const float speed = value(1), tx = value(2), ty = value(3);
      const int32_t picture = RoundToInt32(value(4));
      bullet = std::make_unique<TEnemyBullet1>(Field_, X, Y, AngleTowards(X, Y, tx, ty), speed, picture);
      break;
    }
    case TBulletKind::Bu17: {  // speed, angle, t, angle2, speed2, picture
      const float speed = value(1), angle = value(2), t = value(3), angle2 = value(4), speed2 = value(5);
      bullet = std::make_unique<TEnemyTamaGo2>(Field_, roundX, roundY, angle, speed, RoundToInt32(t), angle2, speed2,
                                               RoundToInt32(value(6)));
      break;
    }
    case TBulletKind::Bu20: {  // speed, angle, t1, angle1, speed1, t2, angle2, speed2, picture
      const float speed = value(1), angle = value(2), t1 = value(3), angle1 = value(4), speed1 = value(5);
      const float t2 = value(6), angle2 = value(7), speed2 = value(8);
      bullet = std::make_unique<TEnemyTamaGo3>(Field_, roundX, roundY, angle, speed, RoundToInt32(t1), angle1, speed1,
                                               RoundToInt32(t2), angle2, speed2, RoundToInt32(value(9)));
      break;
    }
    case TBulletKind::Bu21: {  // as BU20, fields 3 to 8 kept as expressions for the flight
      const float speed = value(1), angle = value(2);
      const int32_t picture = RoundToInt32(value(9));
      auto turning = std::make_unique<TEnemyTamaGo3_2>(Field_, roundX, roundY, angle, speed, field(3), field(4),
                                                       field(5), field(6), field(7), field(8), picture);
      turning->Place = line.Place;  // its expressions are reported at the firing line
      bullet = std::move(turning);
      break;
    }
    case TBulletKind::Bu22: {  // speed, angle, tstop, taim, aimspeed, picture
      const float speed = value(1), angle = value(2), stop = value(3), aim = value(4), aimSpeed = value(5);
      bullet = std::make_unique<TEnemyTamaGo3_10>(Field_, roundX, roundY, angle, speed, RoundToInt32(stop),
                                                  RoundToInt32(aim), aimSpeed, RoundToInt32(value(6)));
      break;
    }
  }
  if (AddBullet(line, std::move(bullet))) RestartChannelIfIdle(Field_, kEnemyShotChannel);
  return true;
}

}  // namespace vuzed
