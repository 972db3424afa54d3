#pragma once
// `vuzed-tool eval --kind enemy|bullet|stage [options] [--] EXPR...`:
// evaluates expressions with one kind's evaluator, one line per expression.

#include <iosfwd>
#include <string>
#include <vector>

namespace vuzed {

// Exit status: 0 done, 2 bad arguments.
int EvalCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vuzed
