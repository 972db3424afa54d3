#pragma once
// `vuzed-tool compile [--unit] FILE`: compiles a script as the game does and
// prints the procedure table; author diagnostics go to stderr.

#include <iosfwd>
#include <string>
#include <vector>

namespace vuzed {

// Exit status: 0 done, 1 the file cannot be read, 2 bad arguments.
int CompileCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vuzed
