#pragma once
// `vuzed-tool run`: the real game loop, headless, on a virtual clock of k/60 s
// at pass k, with scripted keys. Prints an optional object dump and one JSON
// summary line.

#include <iosfwd>
#include <string>
#include <vector>

namespace vuzed {

class TForm1;

// Exit status: 0 done, 1 a file could not be read (or a replay is damaged),
// 2 bad arguments, 3 a verified replay went otherwise than recorded.
int RunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The summary line of the game as it stands.
std::string SummaryLine(TForm1& form, int64_t frame);
// One JSON line per object: the ship, then enemies, bullets, items, effects.
void DumpObjects(TForm1& form, std::ostream& out);

}  // namespace vuzed
