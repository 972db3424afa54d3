// The enemy's lasers ("LA01", "LA02") and scripted bullets ("CREATEBULLET").

#include <memory>
#include <string>

#include "enemy/enemy.h"
#include "enemy/enemy_control.h"
#include "enemy/enemy_laser.h"
#include "enemy/enemy_sound.h"
#include "enemy/enemy_tama_math.h"
#include "enemy/enemy_tama_script.h"
#include "objects/string_helpers.h"
#include "script/script_report_text.h"
#include "game/stage_shared.h"
#include "game/playfield.h"

namespace vuzed {

// LA01(x, y, angle, width, hitwidth, warmup, duration, picture) and LA02
// with spin and a tenth field that is evaluated and has no effect. The
// laser goes to the end of the bullet list and the laser sound always
// starts again.
bool TEnemy::FireLaser(const TScriptLine& line, const TEnemyLine& decoded) {
  const bool turning = decoded.LaserTwo;
  if (!turning && !decoded.LaserOne) return false;
  if (!Field_.Enemies) return true;
  auto value = [&](int k) { return Evaluate(decoded.Fields[size_t(k - 1)], line.Place); };
  const float x = value(1), y = value(2), angle = value(3), width = value(4), hitWidth = value(5);
  const int32_t warmUp = RoundToInt32(value(6)), duration = RoundToInt32(value(7)), picture = RoundToInt32(value(8));
  std::unique_ptr<TEnemyTama> laser;
  if (turning) {
    const float spin = value(9);
    value(10);
    laser = std::make_unique<TEnemyTamaLaser2>(Field_, x, y, angle, width, hitWidth, warmUp, duration, picture, spin);
  } else {
    laser = std::make_unique<TEnemyTamaLaser1>(Field_, x, y, angle, width, hitWidth, warmUp, duration, picture);
  }
  if (AddBullet(line, std::move(laser))) RestartChannel(Field_, kLaserChannel);
  return true;
}

// CREATEBULLET(name, b1, b2, b3): a scripted bullet of the named definition
// (the first field as text) at the end of the bullet list, without a sound.
// An unknown name falls through.
bool TEnemy::CreateBullet(const TScriptLine& line, const TEnemyLine& decoded) {
  const TStageShared* run = Field_.Stage;
  const TSecondStringList2* definition =
      run ? decoded.BulletDefinition.Find(run->Script.Procedures, decoded.Fields[0].Text) : nullptr;
  if (run && !definition) {
    Report(line.Place, UndefinedNameText(decoded.Fields[0].Text, "make a bullet of"));
    return true;
  }
  if (!definition) return false;
  if (!Field_.Enemies) return true;
  const float b1 = Evaluate(decoded.Fields[1], line.Place);
  const float b2 = Evaluate(decoded.Fields[2], line.Place);
  const float b3 = Evaluate(decoded.Fields[3], line.Place);
  AddBullet(line, std::make_unique<TEnemyTamaScript>(Field_, *definition, b1, b2, b3));
  return true;
}

}  // namespace vuzed
