#include "script/line_rewriter.h"

#include <string>
#include <string_view>

#include "objects/string_helpers.h"
#include "script/source_reader.h"

namespace vuzed {
namespace {

constexpr std::string_view kBegin = "BEGIN;";
constexpr std::string_view kEnd = "END;";

int Depth(const std::string& text) { return text == kBegin ? 1 : text == kEnd ? -1 : 0; }

}  // namespace

std::optional<TBlock> FindBlock(const TLineList& lines, std::size_t start) {
  long long depth = 0;
  for (std::size_t t = start; t < lines.size(); ++t) {
    depth += Depth(lines[t].Text);
    if (depth == 0) return TBlock{start, t};
  }
  return std::nullopt;
}

std::optional<std::size_t> FindBodyEnd(const TLineList& lines, std::size_t start) {
  long long depth = 0;
  bool begun = false;
  for (std::size_t t = start; t < lines.size(); ++t) {
    const int step = Depth(lines[t].Text);
    begun = begun || step > 0;
    depth += step;
    if (begun && depth == 0) return t;
  }
  return std::nullopt;
}

bool RewriteIfLine(TLineList& lines, std::size_t s) {
  std::string& text = lines[s].Text;
  if (std::size_t then = text.find("THEN;"); then != std::string::npos) text.resize(then);
  const std::optional<TBlock> block = FindBlock(lines, s + 1);
  const std::size_t after = block ? block->Last + 1 : lines.size();
  text += "(" + std::to_string(s + 1) + ")(" + std::to_string(after) + ")";
  return block.has_value();
}

bool RewriteForLine(TLineList& lines, std::size_t s) {
  const std::string& line = lines[s].Text;
  const std::string var = GetBetween(line, "FOR ", ":=", 1);
  const std::string from = GetBetween(line, ":=", "TO", 1);
  const std::string to = GetBetween(line, "TO", "DO", 1);
  const std::optional<TBlock> block = FindBlock(lines, s + 1);
  const std::size_t after = block ? block->Last + 1 : lines.size();
  lines[s].Text = "FOR(" + var + "," + from + "," + to + ")(" + std::to_string(s + 1) + "," +
                  std::to_string(after) + ")";
  if (block) lines[block->Last].Text = "END(" + std::to_string(s) + ")";
  return block.has_value();
}

void CollectVarDeclarations(const TLineList& lines, std::size_t s, TVarTable& vars) {
  for (std::size_t i = s; i < lines.size() && lines[i].Text != kBegin; ++i) {
    const std::string& line = lines[i].Text;
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos) continue;  // no name and no type
    if (TrimBlanks(GetBetween(line, ":", ";", 1)) == "SINGLE") vars.Add(std::string_view(line).substr(0, colon));
  }
}

std::vector<std::size_t> RewriteLines(TLineList& lines, TVarTable& vars) {
  std::vector<std::size_t> open;
  for (std::size_t s = 0; s < lines.size(); ++s) {
    if (lines[s].Text.find("IF ") != std::string::npos && !RewriteIfLine(lines, s)) open.push_back(s);
    if (StartsWithText("FOR ", lines[s].Text) && !RewriteForLine(lines, s)) open.push_back(s);
    if (lines[s].Text.find("VAR") != std::string::npos) CollectVarDeclarations(lines, s, vars);
  }
  return open;
}

}  // namespace vuzed
