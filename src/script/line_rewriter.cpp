#include "script/line_rewriter.h"

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "objects/string_helpers.h"
#include "script/source_reader.h"

namespace vuzed {

bool RewriteIfLine(TLineList& lines, std::size_t s, const TBlockIndex& blocks) {
  std::string text = lines[s].Text;
  if (std::size_t then = text.find("THEN;"); then != std::string::npos) text.resize(then);
  const std::optional<TBlock> block = blocks.FindBlock(s + 1);
  const std::size_t after = block ? block->Last + 1 : lines.size();
  text += '(';
  text += std::to_string(s + 1);
  text += ")(";
  text += std::to_string(after);
  text += ')';
  lines.SetText(s, std::move(text));
  return block.has_value();
}

bool RewriteForLine(TLineList& lines, std::size_t s, TBlockIndex& blocks) {
  const std::string& line = lines[s].Text;
  const std::string var = GetBetween(line, "FOR ", ":=", 1);
  const std::string from = GetBetween(line, ":=", "TO", 1);
  const std::string to = GetBetween(line, "TO", "DO", 1);
  const std::optional<TBlock> block = blocks.FindBlock(s + 1);
  const std::size_t after = block ? block->Last + 1 : lines.size();
  lines.SetText(s, "FOR(" + var + "," + from + "," + to + ")(" + std::to_string(s + 1) + "," +
                       std::to_string(after) + ")");
  if (block) {
    lines.SetText(block->Last, "END(" + std::to_string(s) + ")");
    blocks.Forget(block->Last);
  }
  return block.has_value();
}

bool DeclaresSingle(const std::string& line) {
  return line.find(':') != std::string::npos && TrimBlanks(GetBetween(line, ":", ";", 1)) == "SINGLE";
}

std::vector<std::size_t> RewriteLines(TLineList& lines, TVarTable& vars) {
  TBlockIndex blocks(lines);
  // Declaration lines not yet added. Rewriting never makes a line a
  // declaration, so each is checked again only when it is reached.
  std::set<std::size_t> declarations;
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (DeclaresSingle(lines[i].Text)) declarations.insert(declarations.end(), i);

  std::vector<std::size_t> open;
  for (std::size_t s = 0; s < lines.size(); ++s) {
    if (lines[s].Text.find("IF ") != std::string::npos && !RewriteIfLine(lines, s, blocks)) open.push_back(s);
    if (StartsWithText("FOR ", lines[s].Text) && !RewriteForLine(lines, s, blocks)) open.push_back(s);
    if (lines[s].Text.find("VAR") == std::string::npos) continue;
    const std::size_t end = blocks.NextBegin(s).value_or(lines.size());
    for (auto it = declarations.lower_bound(s); it != declarations.end() && *it < end; it = declarations.erase(it)) {
      const std::string& line = lines[*it].Text;
      if (DeclaresSingle(line)) vars.Add(std::string_view(line).substr(0, line.find(':')));
    }
  }
  return open;
}

}  // namespace vuzed
