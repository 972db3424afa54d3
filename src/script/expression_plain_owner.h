#pragma once
// An expression owner made of plain values, with the name set of each kind
// in its documented order (expression_names.h): what `vuzed-tool eval`,
// tests, benchmarks and fuzzing evaluate against. An enemy here runs no
// called procedure, so its variables are its own table; a bullet is a
// scripted bullet; the stage's procedure variables are `Vars`.

#include <cstdint>
#include <string_view>

#include "objects/var_table.h"
#include "script/expression_names.h"
#include "script/expression.h"

namespace vuzed {

class TPlainExpressionOwner : public TExpressionOwner {
 public:
  explicit TPlainExpressionOwner(TEvaluatorKind kind) : Kind(kind) {}

  bool GetValue(std::string_view name, float& value) const override;
  TNameScope NameScope() const override;
  TNameBinding BindName(std::string_view name) const override;
  float BuiltinValue(int32_t id) const override;
  float GetPlayerX() const override { return PlayerX; }
  float GetPlayerY() const override { return PlayerY; }
  uint32_t& RandomSeed() override { return Seed; }

  TEvaluatorKind Kind;
  TVarTable Vars;     // the object's own variables (stage: the running procedure's)
  TVarTable Globals;  // the stage's global variables
  float PlayerX = 0;
  float PlayerY = 0;
  float SelfX = 0;
  float SelfY = 0;
  int32_t Count = 0;  // the object's frame counter
  int32_t Time = 0;   // the stage clock
  int32_t Hp = 0;
  uint32_t Seed = 1;

 private:
  TNameBinding BindEnemyName(std::string_view name) const;
  TNameBinding BindBulletName(std::string_view name) const;
  TNameBinding OwnFields(const TNameBinding& stage) const;
};

// Sets the variable of that name (ignoring case), adding it when missing.
void SetVariable(TVarTable& table, std::string_view name, float value);

}  // namespace vuzed
