#include "script/compiled_evaluator.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "script/expression_compiler.h"
#include "script/expression_program.h"
#include "script/reference_evaluator.h"

namespace vuzed {

struct TConditionProgram {
  TConditionSplit Split;  // Left and Right are not kept
  TExpressionProgram Left;
  TExpressionProgram Right;
};

namespace {

struct TTextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
};

template <typename T>
using TTextMap = std::unordered_map<std::string, std::shared_ptr<T>, TTextHash, std::equal_to<>>;

// Game code evaluates the same stored line texts again and again, so a small
// table keyed by where a text lies in memory is tried before the map; an
// entry counts only when the text there is still the same.
template <typename T>
class TProgramCache {
 public:
  template <typename Make>
  const T& Get(std::string_view text, Make make) {
    TRecent& recent = Recent_[(reinterpret_cast<std::uintptr_t>(text.data()) >> 3 ^ text.size()) % kRecent];
    if (recent.Data == text.data() && recent.Key && *recent.Key == text) return *recent.Value;
    auto it = Find(text, make);
    recent = {text.data(), &it->first, it->second.get()};
    return *it->second;
  }
  // The program itself, kept alive by its holder whatever the cache does.
  template <typename Make>
  std::shared_ptr<T> Share(std::string_view text, Make make) {
    return Find(text, make)->second;
  }
  std::size_t Size() const { return Map_.size(); }

 private:
  template <typename Make>
  auto Find(std::string_view text, Make make) {
    auto it = Map_.find(text);
    if (it == Map_.end()) {
      if (Map_.size() >= TCompiledEvaluator::kMaxCachedTexts) Clear();
      it = Map_.emplace(std::string(text), std::make_shared<T>(make())).first;
    }
    return it;
  }

  static constexpr std::size_t kRecent = 256;
  struct TRecent {
    const char* Data = nullptr;
    const std::string* Key = nullptr;
    const T* Value = nullptr;
  };

  void Clear() {
    Map_.clear();
    for (TRecent& r : Recent_) r = {};
  }

  TTextMap<T> Map_;
  TRecent Recent_[kRecent];
};

TConditionProgram MakeConditionProgram(TEvaluatorKind kind, std::string_view text) {
  TConditionProgram c;
  c.Split = SplitCondition(text);
  if (c.Split.Found) {
    c.Left = CompileExpression(kind, c.Split.Left);
    c.Right = CompileExpression(kind, c.Split.Right);
  }
  c.Split.Left = c.Split.Right = {};
  return c;
}

TConditionValue RunCondition(const TConditionProgram& c, TEvaluatorKind kind, TExpressionOwner& owner) {
  if (!c.Split.Found) return {};
  TExpressionValue left = RunExpressionProgram(c.Left, kind, owner);
  TExpressionValue right = RunExpressionProgram(c.Right, kind, owner);
  return {Compare(c.Split.Comparison, left.Value, right.Value), left.Malformed || right.Malformed};
}

}  // namespace

struct TTextPrograms {
  TProgramCache<TExpressionProgram> Expressions;
  TProgramCache<TConditionProgram> Conditions;
};

TCompiledEvaluator::TCompiledEvaluator(TEvaluatorKind kind) : Kind_(kind) {}
TCompiledEvaluator::TCompiledEvaluator(const TCompiledEvaluator& other) : Kind_(other.Kind_) {}
TCompiledEvaluator& TCompiledEvaluator::operator=(const TCompiledEvaluator& other) {
  if (this != &other) {
    Kind_ = other.Kind_;
    Texts_.reset();
  }
  return *this;
}
TCompiledEvaluator::~TCompiledEvaluator() = default;

TTextPrograms& TCompiledEvaluator::Texts() const {
  if (!Texts_) [[unlikely]]
    Texts_ = std::make_unique<TTextPrograms>();
  return *Texts_;
}

const TExpressionProgram& TCompiledEvaluator::ExpressionProgram(std::string_view text) const {
  return Texts().Expressions.Get(text, [&] { return CompileExpression(Kind_, text); });
}

const TConditionProgram& TCompiledEvaluator::ConditionProgram(std::string_view text) const {
  return Texts().Conditions.Get(text, [&] { return MakeConditionProgram(Kind_, text); });
}

TExpressionValue TCompiledEvaluator::EvaluateChecked(TExpressionOwner& owner, std::string_view text) const {
  if (ReferenceMode_) [[unlikely]]
    return TReferenceEvaluator(Kind_).EvaluateChecked(owner, text);
  return RunExpressionProgram(ExpressionProgram(text), Kind_, owner);
}

float TCompiledEvaluator::Evaluate(TExpressionOwner& owner, std::string_view text) const {
  return EvaluateChecked(owner, text).Value;
}

TConditionValue TCompiledEvaluator::EvaluateConditionChecked(TExpressionOwner& owner,
                                                             std::string_view text) const {
  if (ReferenceMode_) [[unlikely]]
    return TReferenceEvaluator(Kind_).EvaluateConditionChecked(owner, text);
  return RunCondition(ConditionProgram(text), Kind_, owner);
}

TCompiledExpression TCompiledEvaluator::Compile(std::string_view text) const {
  TCompiledExpression e;
  e.Kind_ = Kind_;
  e.Program_ = std::make_shared<const TExpressionProgram>(CompileExpression(Kind_, text));
  e.Constant_ = e.Program_->IsConstant;
  e.ConstantValue_ = e.Program_->ConstantValue;
  return e;
}

TCompiledExpression TCompiledEvaluator::CompileShared(std::string_view text) const {
  TCompiledExpression e;
  e.Kind_ = Kind_;
  e.Program_ = Texts().Expressions.Share(text, [&] { return CompileExpression(Kind_, text); });
  e.Constant_ = e.Program_->IsConstant;
  e.ConstantValue_ = e.Program_->ConstantValue;
  return e;
}

TCompiledCondition TCompiledEvaluator::CompileCondition(std::string_view text) const {
  TCompiledCondition c;
  c.Kind_ = Kind_;
  c.Text_ = text;
  c.Program_ = std::make_shared<const TConditionProgram>(MakeConditionProgram(Kind_, text));
  const TConditionProgram& p = *c.Program_;
  if (p.Split.Found && !p.Left.IsConstant && p.Right.IsConstant) {
    c.ComputedLeft_ = &p.Left;
    c.Comparison_ = p.Split.Comparison;
    c.ConstantRight_ = p.Right.ConstantValue;
  }
  return c;
}

TExpressionValue TCompiledEvaluator::RunByReference(const TCompiledExpression& expression,
                                                    TExpressionOwner& owner) const {
  if (!expression.Program_) return {};
  return TReferenceEvaluator(expression.Kind_).EvaluateChecked(owner, expression.Program_->Text);
}

TConditionValue TCompiledEvaluator::RunAnyCondition(const TCompiledCondition& condition,
                                                    TExpressionOwner& owner) const {
  if (!condition.Program_) return {};
  if (ReferenceMode_) [[unlikely]]
    return TReferenceEvaluator(condition.Kind_).EvaluateConditionChecked(owner, condition.Text_);
  return RunCondition(*condition.Program_, condition.Kind_, owner);
}

bool TCompiledEvaluator::EvaluateCondition(TExpressionOwner& owner, std::string_view text) const {
  return EvaluateConditionChecked(owner, text).Value;
}

bool TCompiledEvaluator::CompilesFully(std::string_view text) const {
  const TExpressionProgram& p = ExpressionProgram(text);
  return std::none_of(p.Code.begin(), p.Code.end(), [](const TInstruction& in) { return in.Code == TOpCode::Rewrite; });
}

std::size_t TCompiledEvaluator::CachedTexts() const { return Texts_ ? Texts_->Expressions.Size() : 0; }

}  // namespace vuzed
