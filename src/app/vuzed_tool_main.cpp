// vuzed-tool: the command-line companion for content authors and tests.

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "engine/archive/archive_command.h"
#include "engine/graphics/mesh_command.h"
#include "script/compile_command.h"
#include "script/eval_command.h"
#include "shell/headless_run.h"

namespace {

const char* const kUsage =
    "usage: vuzed-tool COMMAND [options]\n"
    "commands:\n"
    "  archive   list the entries of a VAZ archive or extract one\n"
    "  compile   compile a stage or unit script and print its procedures\n"
    "  eval      evaluate script expressions with one kind's evaluator\n"
    "  mesh      load a \".vz\" mesh and print its counts and bounds as JSON\n"
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
  if (command == "compile") return vuzed::CompileCommand(args, std::cout, std::cerr);
  if (command == "archive") return vuzed::ArchiveCommand(args, std::cout, std::cerr);
  if (command == "eval") return vuzed::EvalCommand(args, std::cout, std::cerr);
  if (command == "mesh") return vuzed::MeshCommand(args, std::cout, std::cerr);
  std::cerr << "vuzed-tool: unknown command \"" << command << "\"\n" << kUsage;
  return 2;
}
