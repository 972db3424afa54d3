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
  result.Lines.assign(statements.begin() + std::ptrdiff_t(p + 1), statements.begin() + std::ptrdiff_t(*end + 1));
  result.OpenBlocks = RewriteLines(result.Lines, result.Vars);
  return result;
}

}  // namespace vuzed
