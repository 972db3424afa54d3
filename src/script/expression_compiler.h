#pragma once
// Compiles an expression text into a program (expression_program.h) whose
// results are bit-identical to the reference evaluator's.
//
// The calls and groups of a text are found exactly as the rewriting finds
// them, left to right, and become code that computes their values into
// slots (the arguments compiled the same way, one level deeper); a name
// before "(" that is not a function ends the code with Abort. The rest of
// the text goes through the symbolic rewriting of expression_symbolic.h.
// A text in which a call or group is directly followed by anything but an
// operator character (its value's digits would join that text), or whose
// value depends on the signs of intermediate values, is kept as text for the
// reference evaluator, at that level only.

#include <string_view>

#include "script/expression.h"
#include "script/expression_program.h"

namespace vuzed {

TExpressionProgram CompileExpression(TEvaluatorKind kind, std::string_view text);

}  // namespace vuzed
