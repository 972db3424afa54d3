#include "script/expression_names.h"

#include "objects/var_table.h"

namespace vuzed {

bool GetTruthValue(std::string_view name, float& value) {
  if (name == "TRUE") {
    value = 1;
    return true;
  }
  if (name == "FALSE") {
    value = 0;
    return true;
  }
  return false;
}

bool GetStageValue(const TStageNames& stage, std::string_view name, float& value) {
  if (stage.LocalVars) {
    if (const TSecondSingle* v = stage.LocalVars->Find(name)) {
      value = v->Get();
      return true;
    }
  }
  if (name == "TIME") {
    value = float(stage.MainCount);
    return true;
  }
  if (name == "GETPLAYERX") {
    value = stage.PlayerX;
    return true;
  }
  if (name == "GETPLAYERY") {
    value = stage.PlayerY;
    return true;
  }
  if (stage.GlobalVars) {
    if (const TSecondSingle* v = stage.GlobalVars->Find(name)) {
      value = v->Get();
      return true;
    }
  }
  return false;
}

}  // namespace vuzed
