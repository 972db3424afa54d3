#pragma once
// Runs the vuzed-tool binary of this build and collects what it printed.

#include <string>
#include <vector>

namespace vuzed::test {

struct ToolResult {
  int Status = -1;
  std::string Out;
  std::string Err;
  std::vector<std::string> OutLines() const;
  // The lines without the 3D background's (kinds "background" and "segment"),
  // for tests of the playfield's objects.
  std::vector<std::string> FieldLines() const;
};

// Arguments are passed as given (each quoted for the shell); extra
// environment assignments ("NAME=value") go in front of the command.
ToolResult RunTool(const std::vector<std::string>& args, const std::vector<std::string>& env = {});

}  // namespace vuzed::test
