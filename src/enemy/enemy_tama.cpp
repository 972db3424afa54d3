// TEnemyTama: the enemy bullet every kind builds on - its radius by picture,
// the bullet expression names, straight movement, the playfield bounds and
// drawing.

#include "enemy/enemy_tama.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <utility>

#include "back/background.h"
#include "back/texture_list.h"
#include "engine/graphics/scene.h"
#include "engine/graphics/texture.h"
#include "enemy/enemy_tama_math.h"
#include "script/script_report_text.h"
#include "objects/string_helpers.h"
#include "player/player_control.h"
#include "script/compiled_evaluator.h"
#include "script/expression_math.h"
#include "script/expression_names.h"
#include "game/stage_shared.h"
#include "game/playfield.h"

namespace vuzed {
namespace {

// A bullet's own names, in the order they are looked up.
constexpr std::pair<std::string_view, int32_t> kBulletBuiltins[] = {
    {"COUNT", kBulletCount},     {"GETSELFX", kBulletSelfX}, {"GETSELFY", kBulletSelfY},
    {"GETPICTUREID", kBulletPicture}, {"GETANGLE", kBulletAngle}, {"GETIDOUX", kBulletIdouX},
    {"GETIDOUY", kBulletIdouY},  {"GETANGLETOPLAYER", kBulletAngleToPlayer},
};

// Hit radius and rotation by picture group (picture number div 10). Groups
// not listed (0-9, 40-49, 90-99, 110 and up, negative numbers) give no radius
// and a rotated picture.
struct TPictureRadius {
  int32_t Group;
  int32_t Atari;
  bool Rotate;
};
constexpr TPictureRadius kRadiusByPictureGroup[] = {
    {1, 4, false}, {2, 6, true}, {3, 6, true}, {5, 5, true},
    {6, 2, true},  {7, 4, true}, {8, 8, true}, {10, 6, true},
};

constexpr int32_t kAlphaBlend = 2;

}  // namespace

void ApplyPictureRadius(TEnemyTama& bullet, int32_t picture) {
  bullet.Rotate = true;
  if (bullet.Atari != 0 || picture < 0) return;
  for (const TPictureRadius& entry : kRadiusByPictureGroup) {
    if (entry.Group == picture / 10) {
      bullet.Atari = entry.Atari;
      bullet.Rotate = entry.Rotate;
      return;
    }
  }
}

TEnemyTama::TEnemyTama(TPlayfield& playfield) : TTamaFrameFields(playfield) { Rotate = false; }

TEnemyTama::TEnemyTama(TPlayfield& playfield, float x, float y, float angle, float speed, int32_t picture)
    : TTamaFrameFields(playfield), Speed(speed) {
  Angle = angle;
  TamaX = x;
  TamaY = y;
  SetTamaMovement(angle, speed);
  HitDamage = 1;
  if (Field_.Textures && Field_.Textures->Get(TPictureTable::Bullet, picture)) PictureID = picture;
  ApplyPictureRadius(*this, picture);
}

void TEnemyTama::SetTamaMovement(float angleDeg, float speed) {
  TamaIdouX = CosTimes(angleDeg, speed);
  TamaIdouY = SinTimes(angleDeg, speed);
}

const TMXTexture* TEnemyTama::DrawnPicture() {
  if (!Field_.Textures) return nullptr;
  const uint32_t generation = Field_.Textures->Generation();
  if (!DrawnPictureKnown_ || PictureID != DrawnPictureID_ || generation != DrawnGeneration_) {
    DrawnPicture_ = Field_.Textures->Get(TPictureTable::Bullet, PictureID);
    DrawnPictureID_ = PictureID;
    DrawnGeneration_ = generation;
    DrawnPictureKnown_ = true;
  }
  return DrawnPicture_;
}

void TEnemyTama::Draw() {
  const TMXTexture* picture = DrawnPicture();
  if (!picture || !Field_.Background) return;
  const float width = float(picture->Width()), height = float(picture->Height());
  const float angle = Rotate ? Angle : 0.0f;
  const uint32_t angleBits = std::bit_cast<uint32_t>(angle);
  if (width != CornersWidth_ || height != CornersHeight_ || angleBits != CornersAngleBits_) {
    const auto corners = RotateQuad(width, height, angle);
    std::copy(corners.begin(), corners.end(), Corners_);
    CornersWidth_ = width;
    CornersHeight_ = height;
    CornersAngleBits_ = angleBits;
  }
  // The same quad as CentredQuad's.
  const float u1 = picture->MaxU(), v1 = picture->MaxV();
  const TSpriteVertex quad[4] = {MakeSpriteVertex(0xFFFFFFFF, Corners_[0].X, Corners_[0].Y, 0, 0),
                                 MakeSpriteVertex(0xFFFFFFFF, Corners_[1].X, Corners_[1].Y, u1, 0),
                                 MakeSpriteVertex(0xFFFFFFFF, Corners_[2].X, Corners_[2].Y, 0, v1),
                                 MakeSpriteVertex(0xFFFFFFFF, Corners_[3].X, Corners_[3].Y, u1, v1)};
  const TPoint2 at = MakePoint(float(Field_.FieldOriginX) + TamaX, float(Field_.FieldOriginY) + TamaY);
  Field_.Background->Scene().DrawSprite(at, quad, picture, kAlphaBlend, true, true, 0);
}

// ---- Expressions ----

// The bullet names: its own values, then the stage's (the running
// procedure's variables, TIME, the player, the globals), then TRUE/FALSE.
// Names are bound once per scope (expression.h): the stage director's two
// tables decide where a variable lives; the rest are built-in values.
bool TEnemyTama::GetValue(std::string_view name, float& value) const { return GetValueByBinding(*this, name, value); }

TNameScope TEnemyTama::NameScope() const {
  static constexpr char kBulletTag = 'b';
  const TStageShared* director = Field_.Stage;
  return {&kBulletTag, director ? director->LocalVars : nullptr, director ? &director->GlobalVars : nullptr};
}

TNameBinding TEnemyTama::BindName(std::string_view name) const {
  for (const auto& [builtin, id] : kBulletBuiltins)
    if (name == builtin) return BindBuiltin(id);
  const TStageShared* director = Field_.Stage;
  if (TNameBinding b = BindStageName(director ? director->LocalVars : nullptr,
                                     director ? &director->GlobalVars : nullptr, name);
      b.Known)
    return b;
  return BindTruthName(name);
}

// The values the bullet keeps as they are are read in place; the rest are
// asked for (BuiltinValue).
TNameBinding TEnemyTama::BindBuiltin(int32_t id) const {
  switch (id) {
    case kBulletCount: return OwnerFieldBinding(*this, Count);
    case kBulletSelfX: return OwnerFieldBinding(*this, TamaX);
    case kBulletSelfY: return OwnerFieldBinding(*this, TamaY);
    case kBulletPicture: return OwnerFieldBinding(*this, PictureID);
    case kBulletAngle: return OwnerFieldBinding(*this, Angle);
    case kBulletIdouX: return OwnerFieldBinding(*this, TamaIdouX);
    case kBulletIdouY: return OwnerFieldBinding(*this, TamaIdouY);
    default: return {true, nullptr, id};
  }
}

float TEnemyTama::BuiltinValue(int32_t id) const {
  switch (id) {
    case kBuiltinTime: return Field_.Stage ? float(Field_.Stage->MainCount) : 0.0f;
    case kBuiltinPlayerX: return GetPlayerX();
    case kBuiltinPlayerY: return GetPlayerY();
    case kBulletCount: return float(Count);
    case kBulletSelfX: return TamaX;
    case kBulletSelfY: return TamaY;
    case kBulletPicture: return float(PictureID);
    case kBulletAngle: return Angle;
    case kBulletIdouX: return TamaIdouX;
    case kBulletIdouY: return TamaIdouY;
    case kBulletAngleToPlayer: return AngleToPoint(TamaX, TamaY, GetPlayerX(), GetPlayerY());
    default: return 0;
  }
}

float TEnemyTama::GetPlayerX() const { return Field_.Player ? Field_.Player->Ship.X : 0.0f; }
float TEnemyTama::GetPlayerY() const { return Field_.Player ? Field_.Player->Ship.Y : 0.0f; }
uint32_t& TEnemyTama::RandomSeed() { return Field_.RandSeed; }

void TEnemyTama::Report(const TSourcePlace& place, std::string_view text) {
  if (Field_.Stage) Field_.Stage->Errors.Report(place, text);
}

float TEnemyTama::EvaluateAt(std::string_view text, const TSourcePlace& place) {
  const TExpressionValue result = BulletEvaluator().EvaluateChecked(*this, text);
  if (result.Malformed) ReportNotAnExpression(text, place);
  return result.Value;
}

void TEnemyTama::ReportNotAnExpression(std::string_view text, const TSourcePlace& place) {
  Report(place, QuotedText(text, " is not an expression; it counts as 0"));
}

bool TEnemyTama::EvaluateConditionAt(std::string_view text, const TSourcePlace& place) {
  const TConditionValue result = BulletEvaluator().EvaluateConditionChecked(*this, text);
  if (result.Malformed) Report(place, QuotedText(text, " is not a condition; it counts as false"));
  return result.Value;
}

}  // namespace vuzed
