// The turning bullet kinds: one turn (BU17), two turns (BU20), two turns
// given as expressions (BU21), and stop-then-aim (BU22).
//
// Every kind counts its moves in TurnCount, from 0: a turn whose time equals
// TurnCount changes the course before that move, so a turn time of 0 acts on
// the first move and a time of 30 on the 31st. A turn sets Angle and the
// movement; Speed keeps the value the bullet was fired with.

#include <cmath>
#include <utility>

#include "enemy/enemy_tama.h"
#include "enemy/enemy_tama_math.h"

namespace vuzed {

TEnemyTamaGo2::TEnemyTamaGo2(TPlayfield& playfield, float x, float y, float angle, float speed,
                             int32_t turnTime, float turnAngle, float turnSpeed, int32_t picture)
    : TEnemyTama(playfield, x, y, angle, speed, picture),
      TurnAngle(turnAngle),
      TurnSpeed(turnSpeed),
      TurnTime(turnTime) {}

void TEnemyTamaGo2::Move() {
  if (TurnCount == TurnTime) {
    SetTamaMovement(TurnAngle, TurnSpeed);
    Angle = TurnAngle;
  }
  TEnemyTama::Move();
  ++TurnCount;
}

TEnemyTamaGo3::TEnemyTamaGo3(TPlayfield& playfield, float x, float y, float angle, float speed,
                             int32_t turnTime1, float turnAngle1, float turnSpeed1, int32_t turnTime2,
                             float turnAngle2, float turnSpeed2, int32_t picture)
    : TEnemyTama(playfield, x, y, angle, speed, picture),
      TurnAngle1(turnAngle1),
      TurnSpeed1(turnSpeed1),
      TurnAngle2(turnAngle2),
      TurnSpeed2(turnSpeed2),
      TurnTime1(turnTime1),
      TurnTime2(turnTime2) {}

void TEnemyTamaGo3::Move() {
  // With equal times both turns apply and the second one wins.
  if (TurnCount == TurnTime1) {
    SetTamaMovement(TurnAngle1, TurnSpeed1);
    Angle = TurnAngle1;
  }
  if (TurnCount == TurnTime2) {
    SetTamaMovement(TurnAngle2, TurnSpeed2);
    Angle = TurnAngle2;
  }
  TEnemyTama::Move();
  ++TurnCount;
}

TEnemyTamaGo3_2::TEnemyTamaGo3_2(TPlayfield& playfield, float x, float y, float angle, float speed,
                                 std::string_view turnTime1Expr, std::string_view turnAngle1Expr,
                                 std::string_view turnSpeed1Expr, std::string_view turnTime2Expr,
                                 std::string_view turnAngle2Expr, std::string_view turnSpeed2Expr, int32_t picture)
    : TEnemyTamaGo3(playfield, x, y, angle, speed, 0, 0, 0, 0, 0, 0, picture) {
  const TCompiledEvaluator& evaluator = BulletEvaluator();
  Turn1_ = {evaluator.CompileShared(turnTime1Expr), evaluator.CompileShared(turnAngle1Expr),
            evaluator.CompileShared(turnSpeed1Expr)};
  Turn2_ = {evaluator.CompileShared(turnTime2Expr), evaluator.CompileShared(turnAngle2Expr),
            evaluator.CompileShared(turnSpeed2Expr)};
  Time1IsNumber_ = Turn1_.Time.IsConstant();
  Time2IsNumber_ = Turn2_.Time.IsConstant();
  TurnTime1 = RoundToInt32(Turn1_.Time.ConstantValue());
  TurnTime2 = RoundToInt32(Turn2_.Time.ConstantValue());
}

// The time is evaluated every frame; the angle and speed only when the time
// matches, so GETANGLETOPLAYER aims at the player's position of that frame.
// The speed is evaluated once for each axis: a speed that draws RANDOM may
// differ between the two.
void TEnemyTamaGo3_2::TurnByExpressions(const TTurn& turn, bool timeIsNumber, int32_t numberTime) {
  const int32_t time = timeIsNumber ? numberTime : RoundToInt32(EvaluateAt(turn.Time, turn.Time.Text(), Place));
  if (time != TurnCount) return;
  const float a = EvaluateAt(turn.Angle, turn.Angle.Text(), Place);
  TamaIdouX = CosTimes(a, EvaluateAt(turn.Speed, turn.Speed.Text(), Place));
  TamaIdouY = SinTimes(a, EvaluateAt(turn.Speed, turn.Speed.Text(), Place));
  Angle = a;
}

void TEnemyTamaGo3_2::Move() {
  TurnByExpressions(Turn1_, Time1IsNumber_, TurnTime1);
  TurnByExpressions(Turn2_, Time2IsNumber_, TurnTime2);
  TEnemyTama::Move();
  ++TurnCount;
}

TEnemyTamaGo3_10::TEnemyTamaGo3_10(TPlayfield& playfield, float x, float y, float angle, float speed,
                                   int32_t stopTime, int32_t aimTime, float aimSpeed, int32_t picture)
    : TEnemyTamaGo3(playfield, x, y, angle, speed, stopTime, 0, 0, aimTime, 0, aimSpeed, picture) {}

// TurnTime1 is the stop frame, TurnTime2 the aim frame and TurnSpeed2 the
// aimed speed. Stop and aim on the same frame: the bullet aims and flies on.
void TEnemyTamaGo3_10::Move() {
  if (TurnCount == TurnTime1) {
    TamaIdouX = 0;
    TamaIdouY = 0;
  }
  if (TurnCount == TurnTime2) {
    // The direction is kept in single precision, in radians, before use.
    const float theta = float(std::atan2(double(GetPlayerY()) - double(TamaY), double(GetPlayerX()) - double(TamaX)));
    TamaIdouX = float(std::cos(double(theta)) * double(TurnSpeed2));
    TamaIdouY = float(std::sin(double(theta)) * double(TurnSpeed2));
    Angle = float(double(theta) * kTamaRadToDeg);
  }
  TEnemyTama::Move();
  ++TurnCount;
}

}  // namespace vuzed
