#include "script/expression_plain_owner.h"

#include "script/expression_math.h"

namespace vuzed {
namespace {

// The plain owner's own built-in values, as binding numbers.
enum : int32_t {
  kCount = kFirstOwnBuiltin,
  kHp,
  kSelfX,
  kSelfY,
  kAngleToPlayer,
  kAngleFromSelf,
  kBulletZero,  // picture, direction and movement of a bullet made of plain values
};

TNameBinding Builtin(int32_t id) { return {true, nullptr, id}; }

// One binding rule set per kind.
constexpr char kScopeTags[3] = {'e', 'b', 's'};

}  // namespace

void SetVariable(TVarTable& table, std::string_view name, float value) {
  if (TSecondSingle* v = table.Find(name))
    v->Set(value);
  else
    table.Add(name, value);
}

bool TPlainExpressionOwner::GetValue(std::string_view name, float& value) const {
  return GetValueByBinding(*this, name, value);
}

TNameScope TPlainExpressionOwner::NameScope() const { return {&kScopeTags[int(Kind)], &Vars, &Globals}; }

TNameBinding TPlainExpressionOwner::BindName(std::string_view name) const {
  switch (Kind) {
    case TEvaluatorKind::Enemy: return BindEnemyName(name);
    case TEvaluatorKind::Bullet: return BindBulletName(name);
    case TEvaluatorKind::Stage:
      if (TNameBinding b = BindStageName(&Vars, &Globals, name); b.Known) return OwnFields(b);
      return BindTruthName(name);
  }
  return {};
}

// The stage set's clock and player position are plain fields here.
TNameBinding TPlainExpressionOwner::OwnFields(const TNameBinding& stage) const {
  if (stage.Cell || stage.Field != TOwnerField::None) return stage;
  switch (stage.Builtin) {
    case kBuiltinTime: return OwnerFieldBinding(*this, Time);
    case kBuiltinPlayerX: return OwnerFieldBinding(*this, PlayerX);
    case kBuiltinPlayerY: return OwnerFieldBinding(*this, PlayerY);
    default: return stage;
  }
}

float TPlainExpressionOwner::BuiltinValue(int32_t id) const {
  switch (id) {
    case kBuiltinTime: return float(Time);
    case kBuiltinPlayerX: return PlayerX;
    case kBuiltinPlayerY: return PlayerY;
    case kCount: return float(Count);
    case kHp: return float(Hp);
    case kSelfX: return SelfX;
    case kSelfY: return SelfY;
    case kAngleToPlayer: return AngleToPoint(SelfX, SelfY, PlayerX, PlayerY);
    case kAngleFromSelf: return kAngleToPlayerFromSelf;
    default: return 0;
  }
}

TNameBinding TPlainExpressionOwner::BindEnemyName(std::string_view name) const {
  if (TNameBinding v = BindVariable(&Vars, name); v.Known) return v;
  if (name == "COUNT") return OwnerFieldBinding(*this, Count);
  if (name == "HP") return OwnerFieldBinding(*this, Hp);
  if (name == "GETPLAYERX") return Builtin(kBuiltinPlayerX);
  if (name == "GETPLAYERY") return Builtin(kBuiltinPlayerY);
  if (name == "GETSELFX") return OwnerFieldBinding(*this, SelfX);
  if (name == "GETSELFY") return OwnerFieldBinding(*this, SelfY);
  if (name == "GETANGLETOPLAYER") return Builtin(kAngleToPlayer);
  if (name == "GETANGLETOPLAYERFROMSELF") return Builtin(kAngleFromSelf);
  if (TNameBinding b = BindStageName(nullptr, &Globals, name); b.Known) return OwnFields(b);
  return BindTruthName(name);
}

TNameBinding TPlainExpressionOwner::BindBulletName(std::string_view name) const {
  if (name == "COUNT") return OwnerFieldBinding(*this, Count);
  if (name == "GETSELFX") return OwnerFieldBinding(*this, SelfX);
  if (name == "GETSELFY") return OwnerFieldBinding(*this, SelfY);
  if (name == "GETPICTUREID" || name == "GETANGLE" || name == "GETIDOUX" || name == "GETIDOUY")
    return Builtin(kBulletZero);
  if (name == "GETANGLETOPLAYER") return Builtin(kAngleToPlayer);
  if (TNameBinding b = BindStageName(nullptr, &Globals, name); b.Known) return OwnFields(b);
  if (TNameBinding b = BindTruthName(name); b.Known) return b;
  if (TNameBinding v = BindVariable(&Vars, name); v.Known) return v;
  if (name == "B1" || name == "B2" || name == "B3") return Builtin(kBulletZero);
  return {};
}

}  // namespace vuzed
