#pragma once
// Compiling one procedure from its PROCEDURE statement.
//
//   PROCEDURE NAME(A,B:SINGLE);   parameters: one group of names, one type
//   VAR;                          optional, one "NAME:SINGLE;" per statement
//   X:SINGLE;
//   BEGIN;
//   ...body...
//   END;
//
// Lines are the statements after the PROCEDURE statement through the END
// that balances the body (VAR section and the outer BEGIN and END included),
// rewritten by the rules of line_rewriter.h. Vars are the parameters, then
// the VAR variables, each in order of declaration.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "objects/script_line.h"
#include "objects/var_table.h"
#include "script/block_index.h"

namespace vuzed {

// The name a PROCEDURE statement defines or declares: its text from the
// 11th character on (after "PROCEDURE "), without the final ";" and cut
// before the first "(". Any statement has one, often empty ("TYPE;", "END;").
std::string ProcedureName(std::string_view statement);

struct TCompiledProcedure {
  TLineList Lines;
  TVarTable Vars;
  bool Balanced = true;                // false: the body never balances, and there are no lines
  std::vector<std::size_t> OpenBlocks;  // IF and FOR lines (indexes into Lines) whose block has no end
  // Lines that compile but cannot do what their author meant, with why
  // (indexes into Lines): a FOR whose body is no BEGIN ... END block, whose
  // single statement becomes the loop's END; an IF whose condition holds a
  // parenthesis, where the condition ends.
  std::vector<std::pair<std::size_t, std::string>> Pitfalls;
};

// Compiles the procedure whose PROCEDURE statement is statements[p];
// `blocks` indexes `statements`.
TCompiledProcedure CompileProcedure(const TLineList& statements, const TBlockIndex& blocks, std::size_t p);

}  // namespace vuzed
