#pragma once
// A compiled expression: a short stack program run on singles. The calls and
// groups come first, in text order, each leaving its value in a slot; then
// the arithmetic on slots, constants and names, where a value's sign can
// choose between two ways on. Texts the compiler cannot model are kept as
// text and rewritten by the reference evaluator when they run.

#include <cstdint>
#include <string>
#include <vector>

#include "script/expression.h"

namespace vuzed {

enum class TOpCode : uint8_t {
  Const,         // push Value
  Name,          // push the owner's value of Names[Arg], or 0
  Load,          // push slot Arg
  Store,         // pop into slot Arg as its text reads back (TextRoundTrip)
  RoundTrip,     // top := TextRoundTrip(top)
  Negate,        // top := -top
  Multiply,      // pop right, pop left, push the result
  Divide,
  IntDivide,
  Modulo,
  Add,
  Subtract,
  AngleFunction,  // top := the TExpressionFunction Arg (SIN .. TAN) of top
  Random,         // top := RANDOM(top)
  AngleFrom,      // pop y, pop x, push the angle from (x, y) to the player
  JumpIfNegative,  // pop; below zero: continue at instruction Arg
  Jump,            // continue at instruction Arg
  Rewrite,        // push the reference evaluation of Texts[Arg], Depth groups deep
  Abort,          // not an expression: the whole value is 0
};

// Operand and result forms merged into an instruction by the compiler.
enum : uint8_t {
  kRightConst = 1,     // a two-operand instruction's right operand is Value, not popped
  kRightName = 2,      // ... is the owner's value of Names[Arg], not popped
  kResultRoundTrip = 4,  // the result is then written back as text and read again
};

struct TInstruction {
  TOpCode Code = TOpCode::Const;
  uint8_t Flags = 0;
  uint32_t Arg = 0;
  float Value = 0;
  int32_t Depth = 0;
};

struct TExpressionProgram {
  std::vector<TInstruction> Code;
  std::vector<std::string> Names;
  std::vector<std::string> Texts;
  uint32_t SlotCount = 0;
  uint32_t StackSize = 0;
};

TExpressionValue RunExpressionProgram(const TExpressionProgram& program, TEvaluatorKind kind,
                                      TExpressionOwner& owner);

}  // namespace vuzed
