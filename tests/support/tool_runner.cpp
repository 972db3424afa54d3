#include "support/tool_runner.h"

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/test_dir.h"

namespace vuzed::test {
namespace {

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) {
    if (c == '\'')
      q += "'\\''";
    else
      q += c;
  }
  return q + "'";
}

std::string Slurp(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

std::vector<std::string> ToolResult::OutLines() const {
  std::vector<std::string> lines;
  std::istringstream in(Out);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

std::vector<std::string> ToolResult::FieldLines() const {
  std::vector<std::string> lines;
  for (std::string& line : OutLines())
    if (line.rfind("{\"kind\":\"background\"", 0) != 0 && line.rfind("{\"kind\":\"segment\"", 0) != 0)
      lines.push_back(std::move(line));
  return lines;
}

ToolResult RunTool(const std::vector<std::string>& args, const std::vector<std::string>& env) {
  TempDir scratch;
  std::string command;
  for (const std::string& e : env) command += e + " ";
  command += Quote(VUZED_TOOL);
  for (const std::string& a : args) command += " " + Quote(a);
  command += " >" + Quote((scratch.Path() / "out").string()) + " 2>" + Quote((scratch.Path() / "err").string());
  command += " </dev/null";
  ToolResult result;
  int raw = std::system(command.c_str());
  result.Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  result.Out = Slurp(scratch.Path() / "out");
  result.Err = Slurp(scratch.Path() / "err");
  return result;
}

}  // namespace vuzed::test
