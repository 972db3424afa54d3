#include "script/line_arguments.h"

#include <charconv>
#include <utility>

namespace vuzed {

bool ParseWholeNumber(std::string_view text, int32_t& value) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

TLineArgument MakeLineArgument(const TCompiledEvaluator& evaluator, std::string text) {
  TLineArgument argument;
  argument.Program = evaluator.Compile(text);
  argument.Text = std::move(text);
  return argument;
}

std::vector<TLineArgument> MakeLineArguments(const TCompiledEvaluator& evaluator, std::string_view text) {
  std::vector<TLineArgument> arguments;
  if (text.empty()) return arguments;
  for (std::size_t start = 0;;) {
    const std::size_t comma = text.find(',', start);
    arguments.push_back(MakeLineArgument(evaluator, std::string(text.substr(start, comma - start))));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return arguments;
}

TLineCondition MakeLineCondition(const TCompiledEvaluator& evaluator, std::string text) {
  TLineCondition condition;
  condition.Program = evaluator.CompileCondition(text);
  condition.Text = std::move(text);
  return condition;
}

TLineNumber MakeLineNumber(std::string text) {
  TLineNumber number;
  number.Valid = ParseWholeNumber(text, number.Value);
  if (!number.Valid) number.Value = 0;
  number.Text = std::move(text);
  return number;
}

}  // namespace vuzed
