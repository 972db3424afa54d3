#pragma once
// The reference evaluator: evaluates an expression by rewriting its text,
// innermost part first, writing every intermediate value back as number text
// (number_text.h) until one value is left. It is the definition of the
// language's results; the compiled evaluator must match it bit for bit.
//
// Evaluate (text):
// 1. Calls and groups, while the text holds "(": p is the first "("; the
//    name is the text between the nearest operator character left of p (or
//    the start) and p. An empty name makes a group, from p to its matching
//    ")": its inside is evaluated and the group replaced by the value's text.
//    A function name of the kind makes a call: from the name's first letter
//    through the closing ")" (matching for SIN .. TAN, the first ")" after p
//    for RANDOM and GETANGLETOPLAYERFLOMOBJECT, whose x and y are the first
//    two comma-separated fields) it is replaced by the value's text. Any other
//    name, or a "(" without its ")", makes the whole expression 0.
// 2. A text that is a number is the result; else a name the owner knows.
// 3. Arithmetic, running result 0. Multiplicative pass: while the text holds
//    "*", "/", "|" or "%", the leftmost is applied to its two operands and
//    the text from the left operand's start through the right operand's end
//    replaced by the value's text. Additive pass: the same for the leftmost
//    "+" or binary "-" (a "-" is a sign when it is the first character or
//    follows a "+"). The result is the last value computed, or 0.
// 4. Operands: the right one starts after the operator, takes a "-" right
//    after it as its sign, and ends before the next operator character. The
//    left one ends before the operator and starts after the nearest operator
//    character left of it, except that a "-" there that follows another
//    operator character, or that is the first character and followed by a
//    non-operator, is its sign. An operand is read as a number, else asked of
//    the owner, else 0.
// Whenever the text starts with two "-", both are removed: the signs cancel
// ("-(-3)" is 3).

#include <string>
#include <string_view>

#include "script/expression.h"

namespace vuzed {

class TReferenceEvaluator {
 public:
  explicit TReferenceEvaluator(TEvaluatorKind kind) : Kind_(kind) {}

  TEvaluatorKind Kind() const { return Kind_; }

  float Evaluate(TExpressionOwner& owner, std::string_view text) const;
  bool EvaluateCondition(TExpressionOwner& owner, std::string_view text) const;
  TExpressionValue EvaluateChecked(TExpressionOwner& owner, std::string_view text) const;
  TConditionValue EvaluateConditionChecked(TExpressionOwner& owner, std::string_view text) const;

  // The evaluation of a text found `depth` groups or calls deep inside
  // another (for the compiled evaluator's shapes it leaves to rewriting).
  TExpressionValue EvaluateNested(TExpressionOwner& owner, std::string_view text, int depth) const;

 private:
  TEvaluatorKind Kind_;
};

}  // namespace vuzed
