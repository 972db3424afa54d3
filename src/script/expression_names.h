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

namespace vuzed {

class TVarTable;

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
