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
#include "script/expression_math.h"

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

// What the runner does for an instruction: its code with the operand form
// (and, for "/", the kind's division) folded in, so that running a program
// never decides anything an instruction's place already decided.
// Two-operand handlers come in five forms, in this order: right operand
// popped, a constant, a name; and fused with the name read just before
// them: name and constant, name and name (the second name in Depth).
enum class THandler : uint8_t {
  Const, Name, Load, Store, RoundTrip, Negate, Sin, RSin, Cos, RCos, Tan, Random,
  JumpIfNegative, Jump, Rewrite, Abort,
#define VUZED_FORMS(NAME) NAME##Stack, NAME##Const, NAME##Name, NAME##NameConst, NAME##NameName,
  VUZED_FORMS(AngleFrom) VUZED_FORMS(Multiply) VUZED_FORMS(DivideSingle) VUZED_FORMS(DivideRound)
  VUZED_FORMS(IntDivide) VUZED_FORMS(Modulo) VUZED_FORMS(Add) VUZED_FORMS(Subtract)
#undef VUZED_FORMS
  End,
};

// The operand form of a two-operand handler, counted from its Stack form
// (0 Stack, 1 Const, 2 Name, 3 NameConst, 4 NameName); -1 for other handlers.
constexpr int kFormsPerOperation = 5;
static_assert(int(THandler::MultiplyStack) - int(THandler::AngleFromStack) == kFormsPerOperation);
constexpr int OperandForm(THandler handler) {
  if (handler < THandler::AngleFromStack || handler >= THandler::End) return -1;
  return (int(handler) - int(THandler::AngleFromStack)) % kFormsPerOperation;
}

struct TInstruction {
  TOpCode Code = TOpCode::Const;
  uint8_t Flags = 0;
  THandler Handler = THandler::Const;
  uint32_t Arg = 0;
  float Value = 0;
  int32_t Depth = 0;
  // Added to the value the instruction leaves: +0 reads it back as text
  // would (kResultRoundTrip, RoundTrip), -0 leaves every value as it is.
  float Addend = -0.0f;
  // The runner's code for Handler (set by the runner on a program's first run).
  mutable const void* Target = nullptr;
  // "%" by the constant Value, worked out ahead (empty for other instructions).
  TConstantModulus Modulus;
};

struct TExpressionProgram {
  // The text compiled, for reports and for running it by the reference
  // evaluator; holders of a shared program need no copy of their own.
  std::string Text;
  std::vector<TInstruction> Code;
  std::vector<std::string> Names;
  std::vector<std::string> Texts;
  uint32_t SlotCount = 0;
  uint32_t StackSize = 0;
  // A program that only pushes a number (most arguments and most right-hand
  // sides of conditions) gives that number without running.
  bool IsConstant = false;
  float ConstantValue = 0;
  // A program that only reads one name (conditions' left sides mostly).
  bool IsName = false;
  // A program that is one operation on a name and a constant or another name
  // ("COUNT%60", "R+0.0001", "COUNT+GETSELFX"): most lines' tests and sums.
  bool IsNameOperation = false;

  // Names bound for the scope that ran the program last (TNameBinding):
  // a program met again by owners of the same scope reads its names
  // without looking them up.
  mutable bool Threaded = false;  // every instruction's Target is set

  mutable TNameScope BoundScope;
  mutable uint64_t BoundVersion = 0;  // ScopeVersion of BoundScope then
  mutable std::vector<TNameBinding> Bindings;
};

// Fills in Handler and Addend and ends the code with End; the compiler's
// last step.
void PrepareToRun(TExpressionProgram& program, TEvaluatorKind kind);

// The value of a program that only reads one name (IsName).
float RunNameProgram(const TExpressionProgram& program, const TExpressionOwner& owner);

// The value of a program that is one operation on names (IsNameOperation).
float RunNameOperation(const TExpressionProgram& program, const TExpressionOwner& owner);

// Runs the instructions of a program that is not a constant (on a stack of
// the runner's own unless deepStack is given).
TExpressionValue RunInstructions(const TExpressionProgram& program, TEvaluatorKind kind, TExpressionOwner& owner,
                                 float* deepStack = nullptr);

// Runs a program that is not a constant. A lone name, and one operation on
// names, are worked out without the instruction runner's set-up: they are
// most of what script lines test and add up.
inline TExpressionValue RunProgramCode(const TExpressionProgram& program, TEvaluatorKind kind,
                                       TExpressionOwner& owner) {
  if (program.IsName) return {RunNameProgram(program, owner), false};
  if (program.IsNameOperation) return {RunNameOperation(program, owner), false};
  return RunInstructions(program, kind, owner);
}

inline TExpressionValue RunExpressionProgram(const TExpressionProgram& program, TEvaluatorKind kind,
                                             TExpressionOwner& owner) {
  if (program.IsConstant) return {program.ConstantValue, false};
  return RunProgramCode(program, kind, owner);
}

}  // namespace vuzed
