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

  auto name = [&](uint32_t index) {
    float value = 0;
    return owner.GetValue(program.Names[index], value) ? value : 0.0f;
  };
  // The right operand of a two-operand instruction.
  auto right = [&](const TInstruction& in) {
    return (in.Flags & kRightConst) ? in.Value : (in.Flags & kRightName) ? name(in.Arg) : stack[--n];
  };
  const TInstruction* code = program.Code.data();
  const std::size_t size = program.Code.size();
  for (std::size_t pc = 0; pc < size;) {
    const TInstruction& in = code[pc++];
    switch (in.Code) {
      case TOpCode::Const: stack[n++] = in.Value; break;
      case TOpCode::Name: stack[n++] = name(in.Arg); break;
      case TOpCode::Load: stack[n++] = slots[in.Arg]; break;
      case TOpCode::Store: slots[in.Arg] = TextRoundTrip(stack[--n]); continue;
      case TOpCode::RoundTrip: break;
      case TOpCode::Negate: stack[n - 1] = -stack[n - 1]; break;
      case TOpCode::Multiply: {
        float r = right(in);
        stack[n - 1] = stack[n - 1] * r;
        break;
      }
      case TOpCode::Add: {
        float r = right(in);
        stack[n - 1] = stack[n - 1] + r;
        break;
      }
      case TOpCode::Subtract: {
        float r = right(in);
        stack[n - 1] = stack[n - 1] - r;
        break;
      }
      case TOpCode::Divide: {
        float r = right(in);
        stack[n - 1] = ApplyOperator(kind, TExpressionOperator::Divide, stack[n - 1], r);
        break;
      }
      case TOpCode::IntDivide: {
        float r = right(in);
        stack[n - 1] = ApplyOperator(kind, TExpressionOperator::IntDivide, stack[n - 1], r);
        break;
      }
      case TOpCode::Modulo: {
        float r = right(in);
        stack[n - 1] = ApplyOperator(kind, TExpressionOperator::Modulo, stack[n - 1], r);
        break;
      }
      case TOpCode::AngleFunction:
        stack[n - 1] = ApplyAngleFunction(TExpressionFunction(in.Arg), stack[n - 1]);
        break;
      case TOpCode::Random: stack[n - 1] = RandomValue(owner.RandomSeed(), stack[n - 1]); break;
      case TOpCode::AngleFrom: {
        float y = right(in);
        stack[n - 1] = AngleToPoint(stack[n - 1], y, owner.GetPlayerX(), owner.GetPlayerY());
        break;
      }
      case TOpCode::JumpIfNegative:
        if (stack[--n] < 0) pc = in.Arg;
        continue;
      case TOpCode::Jump: pc = in.Arg; continue;
      case TOpCode::Rewrite: {
        TExpressionValue v =
            TReferenceEvaluator(kind).EvaluateNested(owner, program.Texts[in.Arg], in.Depth);
        if (v.Malformed) return v;
        stack[n++] = v.Value;
        break;
      }
      case TOpCode::Abort: return {0, true};
    }
    // Instructions that leave a value read it back when told to (RoundTrip always).
    if (in.Code == TOpCode::RoundTrip || (in.Flags & kResultRoundTrip)) stack[n - 1] = TextRoundTrip(stack[n - 1]);
  }
  return {n > 0 ? stack[n - 1] : 0.0f, false};
}

}  // namespace vuzed
