#pragma once
// `vuzed-tool mesh [--archive ARCHIVE] [--weld] [--indices] FILE`: loads a
// mesh as the game does, welds it when asked, and prints one JSON line with
// its format, counts and bounds.

#include <iosfwd>
#include <string>
#include <vector>

namespace vuzed {

// Exit status: 0 done, 1 the mesh cannot be opened, extracted, recognised or
// read (its VZLib line on err), 2 bad arguments.
int MeshCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vuzed
