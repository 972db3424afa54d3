#include "script/procedure_compiler.h"

#include <optional>

#include "objects/string_helpers.h"
#include "script/line_rewriter.h"

namespace vuzed {

std::string ProcedureName(std::string_view statement) {
  constexpr std::size_t kNameStart = 10;  // after "PROCEDURE "
  if (statement.size() <= kNameStart + 1) return {};
  std::string_view name = statement.substr(kNameStart, statement.size() - kNameStart - 1);
  return std::string(name.substr(0, name.find('(')));
}

namespace {

// Lines as written (before IF and FOR are rewritten) that compile but
// cannot mean what they say; see TCompiledProcedure::Pitfalls.
std::vector<std::pair<std::size_t, std::string>> FindPitfalls(const TLineList& lines) {
  std::vector<std::pair<std::size_t, std::string>> found;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& text = lines[i].Text;
    if (StartsWithText("FOR ", text) && (i + 1 >= lines.size() || lines[i + 1].Text != "BEGIN;"))
      found.emplace_back(i, "FOR needs a BEGIN ... END block: its single statement is lost");
    if (StartsWithText("IF ", text)) {
      const std::size_t then = text.find("THEN;");
      if (text.find('(') < then)
        found.emplace_back(i, "an IF condition ends at its first \"(\": compute the value into a variable first");
    }
  }
  return found;
}

}  // namespace

TCompiledProcedure CompileProcedure(const TLineList& statements, const TBlockIndex& blocks, std::size_t p) {
  TCompiledProcedure result;
  const std::string& head = statements[p].Text;
  if (head.find('(') != std::string::npos) {
    // "(X,Y:SINGLE)": the names between "(" and ":", split at "," (one pass,
    // however long the list).
    const std::string names = GetBetween(head, "(", ":", 1);
    for (std::size_t from = 0; !names.empty();) {
      const std::size_t comma = names.find(',', from);
      result.Vars.Add(std::string_view(names).substr(from, comma - from));
      if (comma == std::string::npos) break;
      from = comma + 1;
    }
  }
  const std::optional<std::size_t> end = blocks.FindBodyEnd(p + 1);
  if (!end) {
    result.Balanced = false;
    return result;
  }
  result.Lines = TLineList(statements.begin() + std::ptrdiff_t(p + 1), statements.begin() + std::ptrdiff_t(*end + 1));
  result.Pitfalls = FindPitfalls(result.Lines);
  result.OpenBlocks = RewriteLines(result.Lines, result.Vars);
  return result;
}

}  // namespace vuzed
