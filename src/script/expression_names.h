#pragma once
// Name-set pieces that several owners share. Every kind looks names up in a
// fixed order and the first match wins:
//   enemy:  its variables (the called procedure's table while one runs),
//           COUNT, HP, GETPLAYERX, GETPLAYERY, GETSELFX, GETSELFY,
//           GETANGLETOPLAYER, GETANGLETOPLAYERFROMSELF, the stage set, TRUE/FALSE;
//   bullet: COUNT, GETSELFX, GETSELFY, GETPICTUREID, GETANGLE, GETIDOUX,
//           GETIDOUY, GETANGLETOPLAYER, the stage set, TRUE/FALSE, and for a
//           scripted bullet then its variables and B1, B2, B3;
//   stage:  the stage set, TRUE/FALSE.
// Built-in names match exactly in upper case, variables ignoring ASCII case.

#include <cstdint>
#include <string_view>

#include "script/expression.h"

namespace vuzed {

class TVarTable;

// Binding numbers (TNameBinding::Builtin) of the stage set's built-in
// values; an owner numbers its own built-in values from kFirstOwnBuiltin.
enum : int32_t { kBuiltinTime = 0, kBuiltinPlayerX = 1, kBuiltinPlayerY = 2, kFirstOwnBuiltin = 8 };

// A variable of the table (null: none) as a binding.
TNameBinding BindVariable(const TVarTable* table, std::string_view name);
// TRUE and FALSE as bindings to constant cells.
TNameBinding BindTruthName(std::string_view name);
// The stage set as bindings: LocalVars, TIME, GETPLAYERX, GETPLAYERY, GlobalVars.
TNameBinding BindStageName(const TVarTable* localVars, const TVarTable* globalVars, std::string_view name);

// "TRUE" = 1, "FALSE" = 0.
bool GetTruthValue(std::string_view name, float& value);

// The stage director's names.
struct TStageNames {
  const TVarTable* LocalVars = nullptr;   // the running procedure's variables, if any
  int32_t MainCount = 0;                  // TIME
  float PlayerX = 0;                      // GETPLAYERX
  float PlayerY = 0;                      // GETPLAYERY
  const TVarTable* GlobalVars = nullptr;  // the stage's global variables
};

// The stage set, in order: LocalVars, TIME, GETPLAYERX, GETPLAYERY, GlobalVars.
bool GetStageValue(const TStageNames& stage, std::string_view name, float& value);

// The value of GETANGLETOPLAYERFROMSELF: 2 to the 31st, not an angle.
constexpr float kAngleToPlayerFromSelf = 2147483648.0f;

}  // namespace vuzed
