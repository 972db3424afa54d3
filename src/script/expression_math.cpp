#include "script/expression_math.h"

#include <limits>
#include <numbers>

#include "script/number_text.h"
#include "script/random_generator.h"

namespace vuzed {

TExpressionOperator OperatorFromChar(char c) {
  switch (c) {
    case '*': return TExpressionOperator::Multiply;
    case '/': return TExpressionOperator::Divide;
    case '|': return TExpressionOperator::IntDivide;
    case '%': return TExpressionOperator::Modulo;
    case '+': return TExpressionOperator::Add;
    default: return TExpressionOperator::Subtract;
  }
}


float ApplyOperator(TEvaluatorKind kind, TExpressionOperator op, float left, float right) {
  switch (op) {
    case TExpressionOperator::Multiply: return left * right;
    case TExpressionOperator::Divide:
      return kind == TEvaluatorKind::Enemy ? DivideSingle(left, right) : DivideRounding(left, right);
    case TExpressionOperator::IntDivide: return IntDivide(left, right);
    case TExpressionOperator::Modulo: return Modulo(left, right);
    case TExpressionOperator::Add: return left + right;
    case TExpressionOperator::Subtract: return left - right;
  }
  return 0;
}

float ApplyAngleFunction(TExpressionFunction function, float degrees) {
  switch (function) {
    case TExpressionFunction::Sin: return SinDegrees(degrees);
    case TExpressionFunction::RSin: return RSinDegrees(degrees);
    case TExpressionFunction::Cos: return CosDegrees(degrees);
    case TExpressionFunction::RCos: return RCosDegrees(degrees);
    case TExpressionFunction::Tan: return TanDegrees(degrees);
    default: return 0;
  }
}

float RandomValue(uint32_t& seed, float range) {
  int64_t n = RoundToInt64(range);
  uint32_t limited = n <= 0 ? 0u : n > int64_t(UINT32_MAX) ? UINT32_MAX : uint32_t(n);
  return float(NextRandom(seed, limited));
}

TConstantModulus ConstantModulus(float right) {
  const int64_t r = RoundToInt64(right);
  const uint64_t magnitude = r < 0 ? 0 - uint64_t(r) : uint64_t(r);
  if (magnitude == 0 || magnitude > UINT32_MAX) return {};
  // For a divisor of 1 the reciprocal wraps to 0, which gives remainder 0 as it should.
  return {uint32_t(magnitude), UINT64_MAX / magnitude + 1};
}

float AngleToPoint(float fromX, float fromY, float toX, float toY) {
  return ToSingle(std::atan2(double(toY) - double(fromY), double(toX) - double(fromX)) * kDegreesPerRadian);
}

}  // namespace vuzed
