#include "script/expression_names.h"

#include "objects/var_table.h"

namespace vuzed {
namespace {

constexpr float kTrueCell = 1;
constexpr float kFalseCell = 0;

TNameBinding Builtin(int32_t id) { return {true, nullptr, id}; }

}  // namespace

TNameBinding BindVariable(const TVarTable* table, std::string_view name) {
  if (table) {
    if (const TSecondSingle* v = table->Find(name)) return {true, v->Value.get(), 0};
  }
  return {};
}

TNameBinding BindTruthName(std::string_view name) {
  if (name == "TRUE") return {true, &kTrueCell, 0};
  if (name == "FALSE") return {true, &kFalseCell, 0};
  return {};
}

TNameBinding BindStageName(const TVarTable* localVars, const TVarTable* globalVars, std::string_view name) {
  if (TNameBinding local = BindVariable(localVars, name); local.Known) return local;
  if (name == "TIME") return Builtin(kBuiltinTime);
  if (name == "GETPLAYERX") return Builtin(kBuiltinPlayerX);
  if (name == "GETPLAYERY") return Builtin(kBuiltinPlayerY);
  return BindVariable(globalVars, name);
}

bool GetTruthValue(std::string_view name, float& value) {
  TNameBinding b = BindTruthName(name);
  if (b.Known) value = *b.Cell;
  return b.Known;
}

bool GetStageValue(const TStageNames& stage, std::string_view name, float& value) {
  TNameBinding b = BindStageName(stage.LocalVars, stage.GlobalVars, name);
  if (!b.Known) return false;
  if (b.Cell) {
    value = *b.Cell;
  } else {
    value = b.Builtin == kBuiltinTime ? float(stage.MainCount) : b.Builtin == kBuiltinPlayerX ? stage.PlayerX : stage.PlayerY;
  }
  return true;
}

}  // namespace vuzed
