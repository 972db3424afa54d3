#include "script/reference_evaluator.h"

#include <string>

#include "objects/string_helpers.h"
#include "script/expression_math.h"
#include "script/number_text.h"

namespace vuzed {
namespace {

constexpr std::size_t kNone = std::string::npos;

void CancelSigns(std::string& text) {
  while (text.size() >= 2 && text[0] == '-' && text[1] == '-') text.erase(0, 2);
}

// Start of the left operand of the operator at i.
std::size_t LeftOperandStart(const std::string& text, std::size_t i) {
  std::size_t start = i;
  while (start > 0 && !IsOperatorChar(text[start - 1])) --start;
  if (start == 0) return 0;
  std::size_t before = start - 1;  // the nearest operator character
  if (text[before] == '-') {
    if (before > 0 && IsOperatorChar(text[before - 1])) return before;
    if (before == 0 && start < i) return before;
  }
  return start;
}

// One past the end of the right operand of the operator at i.
std::size_t RightOperandEnd(const std::string& text, std::size_t i) {
  std::size_t end = i + 1;
  if (end < text.size() && text[end] == '-') ++end;
  while (end < text.size() && !IsOperatorChar(text[end])) ++end;
  return end;
}

std::size_t LeftmostAdditive(const std::string& text) {
  for (std::size_t j = 0; j < text.size(); ++j) {
    if (text[j] == '+') return j;
    if (text[j] == '-' && j > 0 && text[j - 1] != '+') return j;
  }
  return kNone;
}

class TRewriter {
 public:
  TRewriter(TEvaluatorKind kind, TExpressionOwner& owner) : Kind_(kind), Owner_(owner) {}

  // False when the text is not an expression of the language.
  bool Evaluate(std::string text, int depth, float& result);

 private:
  bool Call(TExpressionFunction function, const std::string& text, std::size_t open, int depth,
            std::size_t& close, float& value);
  float Operand(std::string_view text) const;
  void Step(std::string& text, std::size_t op, float& result) const;

  TEvaluatorKind Kind_;
  TExpressionOwner& Owner_;
};

bool TRewriter::Evaluate(std::string text, int depth, float& result) {
  if (depth > kMaxExpressionNesting || text.size() > kMaxExpressionLength) return false;
  CancelSigns(text);
  for (std::size_t open; (open = text.find('(')) != kNone;) {
    std::size_t nameStart = open;
    while (nameStart > 0 && !IsOperatorChar(text[nameStart - 1])) --nameStart;
    std::string_view name(text.data() + nameStart, open - nameStart);
    float value = 0;
    std::size_t close = kNone;
    if (name.empty()) {
      close = MatchingParen(text, open);
      if (close == kNone || !Evaluate(text.substr(open + 1, close - open - 1), depth + 1, value)) return false;
    } else {
      TExpressionFunction function;
      if (!FindExpressionFunction(Kind_, name, function)) return false;
      if (!Call(function, text, open, depth, close, value)) return false;
    }
    text.replace(nameStart, close + 1 - nameStart, FormatNumberText(value));
    CancelSigns(text);
  }

  float value = 0;
  if (ParseNumberText(text, value) || LookUpName(Owner_, text, value)) {
    result = value;
    return true;
  }

  result = 0;
  for (std::size_t op; (op = text.find_first_of("*/|%")) != kNone;) Step(text, op, result);
  for (std::size_t op; (op = LeftmostAdditive(text)) != kNone;) Step(text, op, result);
  return true;
}

bool TRewriter::Call(TExpressionFunction function, const std::string& text, std::size_t open, int depth,
                     std::size_t& close, float& value) {
  if (!TakesPlainArguments(function)) {
    close = MatchingParen(text, open);
    float angle = 0;
    if (close == kNone || !Evaluate(text.substr(open + 1, close - open - 1), depth + 1, angle)) return false;
    value = ApplyAngleFunction(function, angle);
    return true;
  }
  close = text.find(')', open + 1);
  if (close == kNone) return false;
  std::string arguments = text.substr(open + 1, close - open - 1);
  if (function == TExpressionFunction::Random) {
    float range = 0;
    if (!Evaluate(arguments, depth + 1, range)) return false;
    value = RandomValue(Owner_.RandomSeed(), range);
    return true;
  }
  float x = 0;
  float y = 0;
  if (!Evaluate(GetItem(arguments, 1), depth + 1, x) || !Evaluate(GetItem(arguments, 2), depth + 1, y))
    return false;
  value = AngleToPoint(x, y, Owner_.GetPlayerX(), Owner_.GetPlayerY());
  return true;
}

float TRewriter::Operand(std::string_view text) const {
  float value = 0;
  if (ParseNumberText(text, value) || LookUpName(Owner_, text, value)) return value;
  return 0;
}

void TRewriter::Step(std::string& text, std::size_t op, float& result) const {
  std::size_t leftStart = LeftOperandStart(text, op);
  std::size_t rightEnd = RightOperandEnd(text, op);
  std::string_view all(text);
  float left = Operand(all.substr(leftStart, op - leftStart));
  float right = Operand(all.substr(op + 1, rightEnd - op - 1));
  result = ApplyOperator(Kind_, OperatorFromChar(text[op]), left, right);
  text.replace(leftStart, rightEnd - leftStart, FormatNumberText(result));
  CancelSigns(text);
}

}  // namespace

TExpressionValue TReferenceEvaluator::EvaluateNested(TExpressionOwner& owner, std::string_view text,
                                                     int depth) const {
  TRewriter rewriter(Kind_, owner);
  float value = 0;
  if (!rewriter.Evaluate(std::string(text), depth, value)) return {0, true};
  return {value, false};
}

TExpressionValue TReferenceEvaluator::EvaluateChecked(TExpressionOwner& owner, std::string_view text) const {
  return EvaluateNested(owner, text, 0);
}

float TReferenceEvaluator::Evaluate(TExpressionOwner& owner, std::string_view text) const {
  return EvaluateChecked(owner, text).Value;
}

TConditionValue TReferenceEvaluator::EvaluateConditionChecked(TExpressionOwner& owner,
                                                              std::string_view text) const {
  TConditionSplit split = SplitCondition(text);
  if (!split.Found) return {};
  TExpressionValue left = EvaluateChecked(owner, split.Left);
  TExpressionValue right = EvaluateChecked(owner, split.Right);
  return {Compare(split.Comparison, left.Value, right.Value), left.Malformed || right.Malformed};
}

bool TReferenceEvaluator::EvaluateCondition(TExpressionOwner& owner, std::string_view text) const {
  return EvaluateConditionChecked(owner, text).Value;
}

}  // namespace vuzed
