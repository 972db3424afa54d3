#pragma once
// The base of every object that moves on the playfield, and the angle rules
// all of them share.
//
// Positions are playfield pixels as single-precision floats, X to the right,
// Y downward, origin at the play area's top-left; an object is drawn at
// (FieldOriginX + X, FieldOriginY + Y). Speeds are pixels per frame.
// Angles are degrees, never normalised: 0 points along +X, 90 along +Y (down
// the screen).

#include <cstdint>

namespace vuzed {

class TCharacter {
 public:
  virtual ~TCharacter() = default;

  // One frame of movement: X += IdouX, Y += IdouY, each in single precision.
  virtual void Move();
  virtual void Draw() = 0;
  // The class's own name ("TEnemy", "TEnemyTamaGo2", ...), for dumps and
  // reports; every concrete class returns its own.
  virtual const char* ClassName() const { return "TCharacter"; }

  float X = 0;
  float Y = 0;
  float IdouX = 0;  // movement per frame
  float IdouY = 0;
  int32_t Atari = 0;      // hit radius in whole pixels (0 = an enemy that cannot be hit)
  int32_t PictureID = 0;  // picture number in the texture table of the subclass

 protected:
  TCharacter() = default;
  TCharacter(const TCharacter&) = default;
  TCharacter& operator=(const TCharacter&) = default;
};

// IdouX = cos(angle) * speed, IdouY = sin(angle) * speed, with the degree
// conversion, the trigonometry and the product in double precision from the
// single operands; only the results are rounded to single.
void SetMovementFromAngle(TCharacter& object, float angleDeg, float speed);

// atan2(toY - fromY, toX - fromX) in degrees, -180 to 180. The differences,
// atan2 and the conversion are done in double precision; the result is single.
float AngleTowards(float fromX, float fromY, float toX, float toY);

}  // namespace vuzed
