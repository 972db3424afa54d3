#pragma once
// Enemy bullets: TEnemyTama and the built-in kinds the "BU" commands fire.
// A bullet keeps its own position and movement (TamaX, TamaY, TamaIdouX,
// TamaIdouY); the inherited X, Y, IdouX and IdouY stay 0.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/graphics/sprite.h"
#include "game/playfield.h"
#include "objects/block_pool.h"
#include "objects/character.h"
#include "objects/script_line.h"
#include "script/compiled_evaluator.h"
#include "script/expression.h"
#include "script/expression_names.h"

namespace vuzed {

struct TPlayfield;
class TEnemyTamaLaser1;

// Binding numbers of a bullet's own names (expression.h).
enum : int32_t {
  kBulletCount = kFirstOwnBuiltin,
  kBulletSelfX,
  kBulletSelfY,
  kBulletPicture,
  kBulletAngle,
  kBulletIdouX,
  kBulletIdouY,
  kBulletAngleToPlayer,
  kBulletB1,
  kBulletB2,
  kBulletB3,
};

// What the bullet list's walks read of a bullet every frame, laid out to
// follow the character's own fields so that a bullet's flight (its type,
// radius, count, place, movement and flags) lies in its first 64 bytes and
// its drawing (its angle and the picture and corners kept from the last
// draw) in the next 64. The expression owner's fields and the rest come
// after: the walks never touch them. Slabs of the block pool are aligned to
// 64 bytes, so these are whole cache lines.
class TTamaFrameFields {
 public:
  explicit TTamaFrameFields(TPlayfield& playfield) : Field_(playfield) {}

 protected:
  TPlayfield& Field_;

 public:
  int32_t Count = 0;
  float TamaX = 0;
  float TamaY = 0;
  float TamaIdouX = 0;
  float TamaIdouY = 0;
  bool Rotate = true;
  bool Grazed = false;

 protected:
  bool IsLaser_ = false;  // set by the lasers' constructor

 private:
  friend class TEnemyTama;
  bool DrawnPictureKnown_ = false;

 public:
  float Angle = 0;

 private:
  int32_t DrawnPictureID_ = 0;
  const TMXTexture* DrawnPicture_ = nullptr;
  uint32_t DrawnGeneration_ = 0;
  // The picture's corners turned by the angle, as last drawn: turning costs
  // trigonometry, and most bullets keep their angle and picture for life.
  float CornersWidth_ = -1, CornersHeight_ = -1;
  uint32_t CornersAngleBits_ = 0;
  TCornerOffset Corners_[4];
};

class TEnemyTama : public TCharacter, public TTamaFrameFields, public TExpressionOwner {
 public:
  // Starts at (x, y) flying along `angle` degrees at `speed`, with the
  // picture (kept only when the bullet picture table has it) and the hit
  // radius that picture number gives.
  TEnemyTama(TPlayfield& playfield, float x, float y, float angle, float speed, int32_t picture);

  // Bullets of every kind live in the block pool (objects/block_pool.h).
  static void* operator new(std::size_t bytes) { return TBlockPool::Allocate(bytes); }
  static void operator delete(void* block, std::size_t bytes) { TBlockPool::Free(block, bytes); }

  void Move() override {
    TamaX = TamaX + TamaIdouX;
    TamaY = TamaY + TamaIdouY;
  }
  void Draw() override;
  const char* ClassName() const override { return "TEnemyTama"; }
  // Count += 1.
  virtual void Action() { ++Count; }
  // Off the playfield for the current layout: beyond -100 .. 520 across and
  // -100 .. 550 down when vertical, -100 .. 740 and -100 .. 580 otherwise
  // (the bounds themselves are inside). Written as "inside" so that a
  // position that is no number (a script's division of infinities) counts
  // as off the playfield instead of keeping the bullet forever. Inline, so
  // that Step runs it without a call.
  virtual bool IsOut() const {
    float right = 520, bottom = 550;
    switch (Field_.LayoutMode) {
      case LayoutVertical: break;
      case LayoutSideways:
      case LayoutSlant: right = 740, bottom = 580; break;
      default: return false;
    }
    const bool inside = TamaX >= -100.0f && TamaX <= right && TamaY >= -100.0f && TamaY <= bottom;
    return !inside;
  }
  // One frame of the bullet's own flight as the bullet list runs it: Action,
  // Move, then whether it is off the playfield. One virtual call instead of
  // three: every kind that overrides Action, Move or IsOut overrides Step as
  // `return StepAs(*this);`, which calls its three directly.
  virtual bool Step() { return StepAs(*this); }
  // Whether this bullet is a laser, and the laser it is (or null): the
  // bullet list tests lasers in their own way (asked of every bullet every
  // frame, so a flag rather than a type lookup).
  bool IsLaser() const { return IsLaser_; }
  TEnemyTamaLaser1* AsLaser();
  const TEnemyTamaLaser1* AsLaser() const { return const_cast<TEnemyTama*>(this)->AsLaser(); }

  // The bullet name set of the expression language.
  bool GetValue(std::string_view name, float& value) const override;
  TNameScope NameScope() const override;
  TNameBinding BindName(std::string_view name) const override;
  float BuiltinValue(int32_t id) const override;
  TNameBinding BindBuiltin(int32_t id) const;
  float GetPlayerX() const override;
  float GetPlayerY() const override;
  uint32_t& RandomSeed() override;

  // The bullet evaluator over this bullet's names. A text that is not an
  // expression of the language counts as 0 (a condition as false) and is
  // reported once at `place` for the script's author.
  float EvaluateAt(std::string_view text, const TSourcePlace& place);
  // The same for a text compiled beforehand (BulletEvaluator's CompileShared);
  // inline, as BU21 bullets evaluate their turn times every frame.
  float EvaluateAt(const TCompiledExpression& compiled, std::string_view text, const TSourcePlace& place);
  bool EvaluateConditionAt(std::string_view text, const TSourcePlace& place);
  // TamaIdouX, TamaIdouY from a direction in degrees and a speed; Angle and
  // Speed are left alone.
  void SetTamaMovement(float angleDeg, float speed);

  // Count, TamaX, TamaY, TamaIdouX, TamaIdouY, Angle, Rotate and Grazed
  // are in TTamaFrameFields.
  int32_t HitDamage = 1;
  float Speed = 0;

  // A report for script authors, once per place (the stage director's list).
  void Report(const TSourcePlace& place, std::string_view text);
  // "... is not an expression; it counts as 0" for the text at place.
  void ReportNotAnExpression(std::string_view text, const TSourcePlace& place);

 protected:
  // A bullet made with nothing set (scripted bullets start this way).
  explicit TEnemyTama(TPlayfield& playfield);

  template <class Kind>
  static bool StepAs(Kind& bullet) {
    bullet.Kind::Action();
    bullet.Kind::Move();
    return bullet.Kind::IsOut();
  }

  // The bullet table's picture of PictureID, or null; kept from the last
  // call while the number and the tables stay the same.
  const TMXTexture* DrawnPicture();
};

// The evaluator of every bullet's expressions.
inline const TCompiledEvaluator& BulletEvaluator() {
  static const TCompiledEvaluator evaluator(TEvaluatorKind::Bullet);
  return evaluator;
}

inline float TEnemyTama::EvaluateAt(const TCompiledExpression& compiled, std::string_view text,
                                    const TSourcePlace& place) {
  const TExpressionValue result = BulletEvaluator().Run(compiled, *this);
  if (result.Malformed) [[unlikely]]
    ReportNotAnExpression(text, place);
  return result.Value;
}

// Hit radius and rotation from a picture number: only while Atari is 0 does
// the picture's group give the radius.
void ApplyPictureRadius(TEnemyTama& bullet, int32_t picture);

// The straight kinds (BU01, BU02, BU03).
class TEnemyBullet1 : public TEnemyTama {
 public:
  using TEnemyTama::TEnemyTama;
  const char* ClassName() const override { return "TEnemyBullet1"; }
};

// One turn (BU17).
class TEnemyTamaGo2 : public TEnemyTama {
 public:
  TEnemyTamaGo2(TPlayfield& playfield, float x, float y, float angle, float speed, int32_t turnTime,
                float turnAngle, float turnSpeed, int32_t picture);
  void Move() override;
  bool Step() override { return StepAs(*this); }
  const char* ClassName() const override { return "TEnemyTamaGo2"; }

  int32_t TurnCount = 0;
  float TurnAngle = 0;
  float TurnSpeed = 0;
  int32_t TurnTime = 0;
};

// Two turns (BU20).
class TEnemyTamaGo3 : public TEnemyTama {
 public:
  TEnemyTamaGo3(TPlayfield& playfield, float x, float y, float angle, float speed, int32_t turnTime1,
                float turnAngle1, float turnSpeed1, int32_t turnTime2, float turnAngle2, float turnSpeed2,
                int32_t picture);
  void Move() override;
  bool Step() override { return StepAs(*this); }
  const char* ClassName() const override { return "TEnemyTamaGo3"; }

  int32_t TurnCount = 0;
  float TurnAngle1 = 0;
  float TurnSpeed1 = 0;
  float TurnAngle2 = 0;
  float TurnSpeed2 = 0;
  int32_t TurnTime1 = 0;
  int32_t TurnTime2 = 0;
};

// Two turns whose times, angles and speeds are expressions evaluated as the
// bullet flies (BU21).
class TEnemyTamaGo3_2 : public TEnemyTamaGo3 {
 public:
  TEnemyTamaGo3_2(TPlayfield& playfield, float x, float y, float angle, float speed, std::string_view turnTime1Expr,
                  std::string_view turnAngle1Expr, std::string_view turnSpeed1Expr, std::string_view turnTime2Expr,
                  std::string_view turnAngle2Expr, std::string_view turnSpeed2Expr, int32_t picture);
  void Move() override;
  bool Step() override { return StepAs(*this); }
  const char* ClassName() const override { return "TEnemyTamaGo3_2"; }

 private:
  // The texts compiled once, when the bullet is made. The programs are
  // shared by every bullet fired with the same texts and hold the texts
  // for reports, so firing one copies no text. They come right after the
  // turn count, which every frame reads with both times.
  struct TTurn {
    TCompiledExpression Time, Angle, Speed;
  };
  // One turn: when Round(time) is TurnCount, the new direction and speed.
  // A time that is a number (most are) was rounded into numberTime when the
  // bullet was made and needs no evaluation.
  void TurnByExpressions(const TTurn& turn, bool timeIsNumber, int32_t numberTime);

  // Whether TurnTime1 and TurnTime2 hold the turn times; beside them and the
  // turn count, in the bullet's fourth cache line.
  bool Time1IsNumber_ = false;
  bool Time2IsNumber_ = false;
  TTurn Turn1_, Turn2_;

 public:
  // The firing line, for reports on expressions that are not of the
  // language (the firing enemy may set it; "?:0" otherwise).
  TSourcePlace Place;
};

// Flies straight, stops at TurnTime1 and aims at the player at TurnTime2
// with TurnSpeed2 (BU22).
class TEnemyTamaGo3_10 : public TEnemyTamaGo3 {
 public:
  TEnemyTamaGo3_10(TPlayfield& playfield, float x, float y, float angle, float speed, int32_t stopTime,
                   int32_t aimTime, float aimSpeed, int32_t picture);
  void Move() override;
  bool Step() override { return StepAs(*this); }
  const char* ClassName() const override { return "TEnemyTamaGo3_10"; }
};

}  // namespace vuzed
