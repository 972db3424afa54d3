#pragma once
// TEnemyTamaScript: a bullet whose flight is written in the script language
// (CREATEBULLET). Its script runs every frame and places, turns, speeds up or
// switches itself off; otherwise it is an ordinary enemy bullet.

#include <cstdint>
#include <string>
#include <string_view>

#include "enemy/enemy_tama.h"
#include "enemy/enemy_tama_script_line.h"
#include "objects/second_string_list2.h"
#include "script/run_budget.h"

namespace vuzed {

class TEnemyTamaScript : public TEnemyTama {
 public:
  // Everything starts at zero; the script has to place the bullet.
  TEnemyTamaScript(TPlayfield& playfield, const TSecondStringList2& definition, float b1, float b2, float b3);

  void Action() override;
  bool Step() override { return StepAs(*this); }
  const char* ClassName() const override { return "TEnemyTamaScript"; }
  bool GetValue(std::string_view name, float& value) const override;
  TNameScope NameScope() const override;
  TNameBinding BindName(std::string_view name) const override;
  float BuiltinValue(int32_t id) const override;
  // One line of the bullet's script; the next-line code.
  int32_t ExecLine(const TScriptLine& line);
  // The same for a line already decoded (runs decode each list once).
  virtual int32_t ExecDecoded(const TScriptLine& line, const TBulletLine& decoded);

  float B1 = 0;
  float B2 = 0;
  float B3 = 0;
  TVarTable* ProcVars = nullptr;  // the running procedure's variables
  TVarTable* Vars = nullptr;      // the definition's variables (shared)
  const TLineList* Lines = nullptr;  // the definition's lines (shared)
  bool NoMoreScript = false;

 private:
  // The variables names refer to: the running procedure's while one runs,
  // else the definition's.
  TVarTable* CurrentVars() const { return Budget_.CallDepth() > 0 ? ProcVars : Vars; }
  // Every FOR line's variable of the current table starts at its start value.
  void ResetLoopVariables(const TLineList& lines, const TDecodedLines<TBulletLine>& decoded);
  // Runs lines from the one after `index` on, by the next-line codes.
  void RunLines(const TLineList& lines, const TDecodedLines<TBulletLine>& decoded, int32_t index);
  void CallProcedure(const TScriptLine& line, const TBulletLine& decoded);
  int32_t LoopStep(const TScriptLine& line, const TBulletLine& decoded);
  int32_t JumpTarget(const TScriptLine& line, const TLineNumber& target);
  // The bullet evaluator on a decoded argument; a text that is not an
  // expression counts as 0 (a condition as false), reported at the line.
  float Evaluate(const TLineArgument& argument, const TSourcePlace& place);
  bool EvaluateCondition(const TLineCondition& condition, const TSourcePlace& place);

  TRunBudget Budget_;  // this frame's lines and call depth
};

}  // namespace vuzed
