#include "script/expression.h"

#include <algorithm>
#include <array>

namespace vuzed {
namespace {

struct TFunctionEntry {
  std::string_view Name;
  TExpressionFunction Function;
  bool Enemy, Bullet, Stage;  // known to the kind
};

constexpr std::array<TFunctionEntry, 7> kFunctions{{
    {"RANDOM", TExpressionFunction::Random, true, true, true},
    {"SIN", TExpressionFunction::Sin, true, true, true},
    {"RSIN", TExpressionFunction::RSin, true, false, false},
    {"COS", TExpressionFunction::Cos, true, true, true},
    {"RCOS", TExpressionFunction::RCos, true, false, false},
    {"TAN", TExpressionFunction::Tan, true, true, true},
    {"GETANGLETOPLAYERFLOMOBJECT", TExpressionFunction::AngleFromObject, true, true, false},
}};

// In test order: a two-character operator is tried before its first character.
struct TComparisonEntry {
  std::string_view Text;
  TComparison Comparison;
};

constexpr std::array<TComparisonEntry, 6> kComparisons{{
    {"<>", TComparison::NotEqual},
    {"<=", TComparison::LessEqual},
    {">=", TComparison::GreaterEqual},
    {"=", TComparison::Equal},
    {"<", TComparison::Less},
    {">", TComparison::Greater},
}};

}  // namespace

bool LookUpName(const TExpressionOwner& owner, std::string_view name, float& value) {
  if (name.empty() || std::any_of(name.begin(), name.end(), IsOperatorChar)) return false;
  return owner.GetValue(name, value);
}

bool FindExpressionFunction(TEvaluatorKind kind, std::string_view name, TExpressionFunction& function) {
  for (const TFunctionEntry& e : kFunctions) {
    if (e.Name != name) continue;
    bool known = kind == TEvaluatorKind::Enemy ? e.Enemy : kind == TEvaluatorKind::Bullet ? e.Bullet : e.Stage;
    if (!known) return false;
    function = e.Function;
    return true;
  }
  return false;
}

TConditionSplit SplitCondition(std::string_view text) {
  TConditionSplit split;
  for (const TComparisonEntry& e : kComparisons) {
    std::size_t at = text.find(e.Text);
    if (at == std::string_view::npos) continue;
    split.Found = true;
    split.Comparison = e.Comparison;
    split.Left = text.substr(0, at);
    split.Right = text.substr(at + e.Text.size());
    break;
  }
  return split;
}

}  // namespace vuzed
