#include "script/compile_command.h"

#include <ostream>

namespace vuzed {

int CompileCommand(const std::vector<std::string>&, std::ostream&, std::ostream& err) {
  err << "vuzed-tool compile: not available yet\n";
  return 2;
}

}  // namespace vuzed
