#include "objects/character.h"

#include <cmath>
#include <numbers>

namespace vuzed {
namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;
constexpr double kRadToDeg = 180.0 / std::numbers::pi;

}  // namespace

void TCharacter::Move() {
  X = X + IdouX;
  Y = Y + IdouY;
}

void SetMovementFromAngle(TCharacter& object, float angleDeg, float speed) {
  const double theta = double(angleDeg) * kDegToRad;
  object.IdouX = float(std::cos(theta) * double(speed));
  object.IdouY = float(std::sin(theta) * double(speed));
}

float AngleTowards(float fromX, float fromY, float toX, float toY) {
  const double dy = double(toY) - double(fromY);
  const double dx = double(toX) - double(fromX);
  return float(std::atan2(dy, dx) * kRadToDeg);
}

}  // namespace vuzed
