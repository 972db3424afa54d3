#pragma once
// The compiled evaluator the game uses: each distinct text is compiled once
// into a small program (expression_compiler.h) and run on singles after that.
// Its results are bit-identical to the reference evaluator's, random draws
// included.
//
// Texts evaluated as texts have their programs kept by the evaluator, by
// text (made on the first such evaluation; expressions and conditions
// apart); a cache that passes kMaxCachedTexts texts starts again empty. A
// text changed at run time is simply another text. A text compiled with
// Compile gets a program of its own, held by the caller.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "script/expression.h"
#include "script/expression_program.h"

namespace vuzed {

struct TConditionProgram;
struct TTextPrograms;

// One text compiled for one evaluator kind, held by a caller that evaluates
// it again and again (an interpreter keeps one per argument of a decoded
// line): it skips finding the text's program on every evaluation, and it
// stays valid whatever happens to the evaluator.
class TCompiledExpression {
 public:
  TCompiledExpression() = default;
  bool Empty() const { return !Program_; }
  // The text compiled ("" when empty).
  std::string_view Text() const { return Program_ ? std::string_view(Program_->Text) : std::string_view(); }
  // A text that is a number: every run gives ConstantValue.
  bool IsConstant() const { return Constant_; }
  float ConstantValue() const { return ConstantValue_; }

 private:
  friend class TCompiledEvaluator;
  std::shared_ptr<const TExpressionProgram> Program_;
  TEvaluatorKind Kind_ = TEvaluatorKind::Enemy;
  // A text that is a number (most arguments are) gives it without a call.
  bool Constant_ = false;
  float ConstantValue_ = 0;
};

class TCompiledCondition {
 public:
  TCompiledCondition() = default;
  bool Empty() const { return !Program_; }

 private:
  friend class TCompiledEvaluator;
  std::shared_ptr<const TConditionProgram> Program_;
  TEvaluatorKind Kind_ = TEvaluatorKind::Enemy;
  // Most conditions test a computed value against a number ("COUNT=60"):
  // the left side's program (inside Program_), the comparison and the number.
  const TExpressionProgram* ComputedLeft_ = nullptr;
  TComparison Comparison_ = TComparison::Equal;
  float ConstantRight_ = 0;
  std::string Text_;  // for the reference mode
};

class TCompiledEvaluator {
 public:
  explicit TCompiledEvaluator(TEvaluatorKind kind);
  // A copy evaluates alike, with a cache of its own that starts empty.
  TCompiledEvaluator(const TCompiledEvaluator& other);
  TCompiledEvaluator& operator=(const TCompiledEvaluator& other);
  ~TCompiledEvaluator();

  TEvaluatorKind Kind() const { return Kind_; }

  float Evaluate(TExpressionOwner& owner, std::string_view text) const;
  bool EvaluateCondition(TExpressionOwner& owner, std::string_view text) const;
  TExpressionValue EvaluateChecked(TExpressionOwner& owner, std::string_view text) const;
  TConditionValue EvaluateConditionChecked(TExpressionOwner& owner, std::string_view text) const;

  // Compiling once and evaluating many times; the same results as above
  // (a compiled text keeps the kind it was compiled for).
  TCompiledExpression Compile(std::string_view text) const;
  TCompiledCondition CompileCondition(std::string_view text) const;
  // Compile through the evaluator's cache of texts: texts met again and
  // again (the same argument fired by many bullets) share one program.
  TCompiledExpression CompileShared(std::string_view text) const;
  TExpressionValue Run(const TCompiledExpression& expression, TExpressionOwner& owner) const {
    if (ReferenceMode_) [[unlikely]]
      return RunByReference(expression, owner);
    if (expression.Constant_) return {expression.ConstantValue_, false};
    if (!expression.Program_) return {};
    return RunProgramCode(*expression.Program_, expression.Kind_, owner);
  }
  TConditionValue Run(const TCompiledCondition& condition, TExpressionOwner& owner) const {
    if (condition.ComputedLeft_ && !ReferenceMode_) {
      const TExpressionValue left = RunProgramCode(*condition.ComputedLeft_, condition.Kind_, owner);
      return {Compare(condition.Comparison_, left.Value, condition.ConstantRight_), left.Malformed};
    }
    return RunAnyCondition(condition, owner);
  }

  // True when the text's program is arithmetic all through, with no part
  // left to the reference evaluator's rewriting.
  bool CompilesFully(std::string_view text) const;

  // Texts in this evaluator's expression cache.
  std::size_t CachedTexts() const;

  static constexpr std::size_t kMaxCachedTexts = 16384;

  // A measuring aid for benchmarks that compare whole frames: while set,
  // every evaluation (of a text or of a compiled text) goes to the
  // reference evaluator instead (the results are the same; only the time
  // differs).
  static void SetReferenceMode(bool on) { ReferenceMode_ = on; }

 private:
  TExpressionValue RunByReference(const TCompiledExpression& expression, TExpressionOwner& owner) const;
  TConditionValue RunAnyCondition(const TCompiledCondition& condition, TExpressionOwner& owner) const;
  TTextPrograms& Texts() const;
  const TExpressionProgram& ExpressionProgram(std::string_view text) const;
  const TConditionProgram& ConditionProgram(std::string_view text) const;

  TEvaluatorKind Kind_;
  mutable std::unique_ptr<TTextPrograms> Texts_;  // made on first use
  static inline bool ReferenceMode_ = false;
};

}  // namespace vuzed
