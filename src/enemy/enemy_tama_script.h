#pragma once
// TEnemyTamaScript: a bullet whose flight is written in the script language
// (CREATEBULLET). Its script runs every frame and places, turns, speeds up or
// switches itself off; otherwise it is an ordinary enemy bullet.

#include <cstdint>
#include <string_view>

#include "enemy/enemy_tama.h"
#include "objects/second_string_list2.h"

namespace vuzed {

class TEnemyTamaScript : public TEnemyTama {
 public:
  // Everything starts at zero; the script has to place the bullet.
  TEnemyTamaScript(TGameContext& context, const TSecondStringList2& definition, float b1, float b2, float b3);

  void Action() override;
  const char* ClassName() const override { return "TEnemyTamaScript"; }
  bool GetValue(std::string_view name, float& value) const override;
  // One line of the bullet's script; the next-line code.
  virtual int32_t ExecLine(const TScriptLine& line);

  float B1 = 0;
  float B2 = 0;
  float B3 = 0;
  TVarTable* ProcVars = nullptr;  // the running procedure's variables
  TVarTable* Vars = nullptr;      // the definition's variables (shared)
  const TLineList* Lines = nullptr;  // the definition's lines (shared)
  bool NoMoreScript = false;
};

}  // namespace vuzed
