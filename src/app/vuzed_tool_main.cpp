// vuzed-tool: the command-line companion for content authors and tests.

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "shell/headless_run.h"

namespace {

const char* const kUsage =
    "usage: vuzed-tool COMMAND [options]\n"
    "commands:\n"
    "  run       run the game loop headless and print a JSON summary\n"
    "Each command has --help.\n";

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    std::cerr << kUsage;
    return 2;
  }
  std::string command = args.front();
  args.erase(args.begin());
  if (command == "--help" || command == "-h" || command == "help") {
    std::cout << kUsage;
    return 0;
  }
  if (command == "run") return vuzed::RunCommand(args, std::cout, std::cerr);
  std::cerr << "vuzed-tool: unknown command \"" << command << "\"\n" << kUsage;
  return 2;
}
