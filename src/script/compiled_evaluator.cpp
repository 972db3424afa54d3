#include "script/compiled_evaluator.h"

#include <algorithm>
#include <memory>
#include <string>
#include <unordered_map>

#include "script/expression_compiler.h"
#include "script/expression_program.h"

namespace vuzed {
namespace {

struct TConditionProgram {
  TConditionSplit Split;  // Left and Right are not kept
  TExpressionProgram Left;
  TExpressionProgram Right;
};

struct TTextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
};

template <typename T>
using TTextMap = std::unordered_map<std::string, std::unique_ptr<T>, TTextHash, std::equal_to<>>;

struct TCaches {
  TTextMap<TExpressionProgram> Expressions[3];
  TTextMap<TConditionProgram> Conditions[3];
};

TCaches& Caches() {
  thread_local TCaches caches;
  return caches;
}

template <typename T, typename Make>
const T& Cached(TTextMap<T>& cache, std::string_view text, Make make) {
  auto it = cache.find(text);
  if (it != cache.end()) return *it->second;
  if (cache.size() >= TCompiledEvaluator::kMaxCachedTexts) cache.clear();
  return *cache.emplace(std::string(text), std::make_unique<T>(make())).first->second;
}

const TExpressionProgram& ExpressionProgram(TEvaluatorKind kind, std::string_view text) {
  return Cached(Caches().Expressions[int(kind)], text, [&] { return CompileExpression(kind, text); });
}

const TConditionProgram& ConditionProgram(TEvaluatorKind kind, std::string_view text) {
  return Cached(Caches().Conditions[int(kind)], text, [&] {
    TConditionProgram c;
    c.Split = SplitCondition(text);
    if (c.Split.Found) {
      c.Left = CompileExpression(kind, c.Split.Left);
      c.Right = CompileExpression(kind, c.Split.Right);
    }
    c.Split.Left = c.Split.Right = {};
    return c;
  });
}

}  // namespace

TExpressionValue TCompiledEvaluator::EvaluateChecked(TExpressionOwner& owner, std::string_view text) const {
  return RunExpressionProgram(ExpressionProgram(Kind_, text), Kind_, owner);
}

float TCompiledEvaluator::Evaluate(TExpressionOwner& owner, std::string_view text) const {
  return EvaluateChecked(owner, text).Value;
}

TConditionValue TCompiledEvaluator::EvaluateConditionChecked(TExpressionOwner& owner,
                                                             std::string_view text) const {
  const TConditionProgram& c = ConditionProgram(Kind_, text);
  if (!c.Split.Found) return {};
  TExpressionValue left = RunExpressionProgram(c.Left, Kind_, owner);
  TExpressionValue right = RunExpressionProgram(c.Right, Kind_, owner);
  return {Compare(c.Split.Comparison, left.Value, right.Value), left.Malformed || right.Malformed};
}

bool TCompiledEvaluator::EvaluateCondition(TExpressionOwner& owner, std::string_view text) const {
  return EvaluateConditionChecked(owner, text).Value;
}

bool TCompiledEvaluator::CompilesFully(std::string_view text) const {
  const TExpressionProgram& p = ExpressionProgram(Kind_, text);
  return std::none_of(p.Code.begin(), p.Code.end(), [](const TInstruction& in) { return in.Code == TOpCode::Rewrite; });
}

std::size_t TCompiledEvaluator::CachedTexts() const { return Caches().Expressions[int(Kind_)].size(); }

}  // namespace vuzed
