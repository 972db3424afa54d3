#include "script/expression_program.h"

#include <vector>

#include "script/expression_math.h"
#include "script/number_text.h"
#include "script/reference_evaluator.h"

namespace vuzed {

TExpressionValue RunExpressionProgram(const TExpressionProgram& program, TEvaluatorKind kind,
                                      TExpressionOwner& owner) {
  constexpr std::size_t kLocal = 32;
  float local[kLocal];
  std::vector<float> heap;
  std::size_t cells = std::size_t(program.StackSize) + program.SlotCount;
  float* stack = local;
  if (cells > kLocal) {
    heap.resize(cells);
    stack = heap.data();
  }
  float* slots = stack + program.StackSize;
  std::size_t n = 0;  // values on the stack

  for (std::size_t pc = 0; pc < program.Code.size();) {
    const TInstruction& in = program.Code[pc++];
    switch (in.Code) {
      case TOpCode::Const: stack[n++] = in.Value; break;
      case TOpCode::Name: {
        float value = 0;
        if (!owner.GetValue(program.Names[in.Arg], value)) value = 0;
        stack[n++] = value;
        break;
      }
      case TOpCode::Load: stack[n++] = slots[in.Arg]; break;
      case TOpCode::Store: slots[in.Arg] = TextRoundTrip(stack[--n]); break;
      case TOpCode::RoundTrip: stack[n - 1] = TextRoundTrip(stack[n - 1]); break;
      case TOpCode::Negate: stack[n - 1] = -stack[n - 1]; break;
      case TOpCode::Multiply: --n; stack[n - 1] = stack[n - 1] * stack[n]; break;
      case TOpCode::Add: --n; stack[n - 1] = stack[n - 1] + stack[n]; break;
      case TOpCode::Subtract: --n; stack[n - 1] = stack[n - 1] - stack[n]; break;
      case TOpCode::Divide:
        --n;
        stack[n - 1] = ApplyOperator(kind, TExpressionOperator::Divide, stack[n - 1], stack[n]);
        break;
      case TOpCode::IntDivide:
        --n;
        stack[n - 1] = ApplyOperator(kind, TExpressionOperator::IntDivide, stack[n - 1], stack[n]);
        break;
      case TOpCode::Modulo:
        --n;
        stack[n - 1] = ApplyOperator(kind, TExpressionOperator::Modulo, stack[n - 1], stack[n]);
        break;
      case TOpCode::AngleFunction:
        stack[n - 1] = ApplyAngleFunction(TExpressionFunction(in.Arg), stack[n - 1]);
        break;
      case TOpCode::Random: stack[n - 1] = RandomValue(owner.RandomSeed(), stack[n - 1]); break;
      case TOpCode::AngleFrom:
        --n;
        stack[n - 1] = AngleToPoint(stack[n - 1], stack[n], owner.GetPlayerX(), owner.GetPlayerY());
        break;
      case TOpCode::JumpIfNegative:
        if (stack[--n] < 0) pc = in.Arg;
        break;
      case TOpCode::Jump: pc = in.Arg; break;
      case TOpCode::Rewrite: {
        TExpressionValue v =
            TReferenceEvaluator(kind).EvaluateNested(owner, program.Texts[in.Arg], in.Depth);
        if (v.Malformed) return v;
        stack[n++] = v.Value;
        break;
      }
      case TOpCode::Abort: return {0, true};
    }
  }
  return {n > 0 ? stack[n - 1] : 0.0f, false};
}

}  // namespace vuzed
