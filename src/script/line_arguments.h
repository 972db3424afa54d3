#pragma once
// The arguments of a decoded script line (line_cache.h): each keeps its text,
// for messages to script authors, beside what the interpreters run.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "script/compiled_evaluator.h"

namespace vuzed {

// An expression argument: its text (for reports) and its program.
struct TLineArgument {
  std::string Text;
  TCompiledExpression Program;
};

struct TLineCondition {
  std::string Text;
  TCompiledCondition Program;
};

// A whole-number argument (a jump target, a sound number): its text and,
// when Valid, its value.
struct TLineNumber {
  std::string Text;
  int32_t Value = 0;
  bool Valid = false;
};

// A whole number written in decimal with an optional sign.
bool ParseWholeNumber(std::string_view text, int32_t& value);

TLineArgument MakeLineArgument(const TCompiledEvaluator& evaluator, std::string text);
// The arguments of a text split at every comma (none for an empty text).
std::vector<TLineArgument> MakeLineArguments(const TCompiledEvaluator& evaluator, std::string_view text);
TLineCondition MakeLineCondition(const TCompiledEvaluator& evaluator, std::string text);
TLineNumber MakeLineNumber(std::string text);

}  // namespace vuzed
