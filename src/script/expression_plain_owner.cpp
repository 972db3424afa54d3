#include "script/expression_plain_owner.h"

#include "script/expression_math.h"

namespace vuzed {
namespace {

bool FindVariable(const TVarTable& table, std::string_view name, float& value) {
  if (const TSecondSingle* v = table.Find(name)) {
    value = v->Get();
    return true;
  }
  return false;
}

}  // namespace

void SetVariable(TVarTable& table, std::string_view name, float value) {
  if (TSecondSingle* v = table.Find(name))
    v->Set(value);
  else
    table.Add(name, value);
}

TStageNames TPlainExpressionOwner::StageNames(const TVarTable* localVars) const {
  return {localVars, Time, PlayerX, PlayerY, &Globals};
}

bool TPlainExpressionOwner::GetValue(std::string_view name, float& value) const {
  switch (Kind) {
    case TEvaluatorKind::Enemy: return GetEnemyValue(name, value);
    case TEvaluatorKind::Bullet: return GetBulletValue(name, value);
    case TEvaluatorKind::Stage:
      return GetStageValue(StageNames(&Vars), name, value) || GetTruthValue(name, value);
  }
  return false;
}

bool TPlainExpressionOwner::GetEnemyValue(std::string_view name, float& value) const {
  if (FindVariable(Vars, name, value)) return true;
  if (name == "COUNT") {
    value = float(Count);
  } else if (name == "HP") {
    value = float(Hp);
  } else if (name == "GETPLAYERX") {
    value = PlayerX;
  } else if (name == "GETPLAYERY") {
    value = PlayerY;
  } else if (name == "GETSELFX") {
    value = SelfX;
  } else if (name == "GETSELFY") {
    value = SelfY;
  } else if (name == "GETANGLETOPLAYER") {
    value = AngleToPoint(SelfX, SelfY, PlayerX, PlayerY);
  } else if (name == "GETANGLETOPLAYERFROMSELF") {
    value = kAngleToPlayerFromSelf;
  } else {
    return GetStageValue(StageNames(nullptr), name, value) || GetTruthValue(name, value);
  }
  return true;
}

bool TPlainExpressionOwner::GetBulletValue(std::string_view name, float& value) const {
  if (name == "COUNT") {
    value = float(Count);
  } else if (name == "GETSELFX") {
    value = SelfX;
  } else if (name == "GETSELFY") {
    value = SelfY;
  } else if (name == "GETPICTUREID" || name == "GETANGLE" || name == "GETIDOUX" || name == "GETIDOUY") {
    value = 0;  // picture, direction and movement of a bullet made of plain values
  } else if (name == "GETANGLETOPLAYER") {
    value = AngleToPoint(SelfX, SelfY, PlayerX, PlayerY);
  } else if (GetStageValue(StageNames(nullptr), name, value) || GetTruthValue(name, value) ||
             FindVariable(Vars, name, value)) {
    return true;
  } else if (name == "B1" || name == "B2" || name == "B3") {
    value = 0;
  } else {
    return false;
  }
  return true;
}

}  // namespace vuzed
