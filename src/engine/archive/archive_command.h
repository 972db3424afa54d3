#pragma once
// `vuzed-tool archive list ARCHIVE` and `vuzed-tool archive extract ARCHIVE
// ID [-o FILE]`: the entry table of a VAZ archive, or one entry's bytes.

#include <iosfwd>
#include <string>
#include <vector>

namespace vuzed {

// Exit status: 0 done, 1 the archive cannot be read or the entry extracted,
// 2 bad arguments.
int ArchiveCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vuzed
