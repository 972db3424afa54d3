#include "script/eval_command.h"

#include <ostream>

namespace vuzed {

int EvalCommand(const std::vector<std::string>&, std::ostream&, std::ostream& err) {
  err << "vuzed-tool eval: not available yet\n";
  return 2;
}

}  // namespace vuzed
