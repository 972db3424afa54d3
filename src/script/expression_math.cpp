#include "script/expression_math.h"

#include <limits>
#include <numbers>

#include "script/number_text.h"
#include "script/random_generator.h"

namespace vuzed {
namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

float IntDivide(float left, float right) {
  int64_t l = RoundToInt64(left);
  int64_t r = RoundToInt64(right);
  if (r == 0) return 0;
  if (r == -1) return ToSingle(-double(l));  // also for the one quotient that does not fit
  return float(l / r);
}

float Modulo(float left, float right) {
  int64_t l = RoundToInt64(left);
  int64_t r = RoundToInt64(right);
  if (r == 0 || r == -1) return 0;
  return float(l % r);
}

}  // namespace

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

int64_t RoundToInt64(double value) {
  constexpr double kLimit = 9223372036854775808.0;  // 2^63
  if (std::isnan(value)) return 0;
  if (value >= kLimit) return std::numeric_limits<int64_t>::max();
  if (value < -kLimit) return std::numeric_limits<int64_t>::min();
  return int64_t(RoundHalfEven(value));
}

float ApplyOperator(TEvaluatorKind kind, TExpressionOperator op, float left, float right) {
  switch (op) {
    case TExpressionOperator::Multiply: return left * right;
    case TExpressionOperator::Divide:
      if (right == 0) return 0;
      if (kind == TEvaluatorKind::Enemy) return left / right;
      return ToSingle(RoundHalfEven(double(left) / double(right)));
    case TExpressionOperator::IntDivide: return IntDivide(left, right);
    case TExpressionOperator::Modulo: return Modulo(left, right);
    case TExpressionOperator::Add: return left + right;
    case TExpressionOperator::Subtract: return left - right;
  }
  return 0;
}

float ApplyAngleFunction(TExpressionFunction function, float degrees) {
  double a = degrees;
  switch (function) {
    case TExpressionFunction::Sin: return ToSingle(std::sin(a * kRadiansPerDegree));
    case TExpressionFunction::RSin: return ToSingle(std::sin(RoundHalfEven(a) * kRadiansPerDegree));
    case TExpressionFunction::Cos: return ToSingle(std::cos(a * kRadiansPerDegree));
    case TExpressionFunction::RCos: return ToSingle(std::cos(RoundHalfEven(a) * kRadiansPerDegree));
    case TExpressionFunction::Tan: return ToSingle(std::tan(a * kRadiansPerDegree));
    default: return 0;
  }
}

float RandomValue(uint32_t& seed, float range) {
  int64_t n = RoundToInt64(range);
  uint32_t limited = n <= 0 ? 0u : n > int64_t(UINT32_MAX) ? UINT32_MAX : uint32_t(n);
  return float(NextRandom(seed, limited));
}

float AngleToPoint(float fromX, float fromY, float toX, float toY) {
  return ToSingle(std::atan2(double(toY) - double(fromY), double(toX) - double(fromX)) * kDegreesPerRadian);
}

}  // namespace vuzed
