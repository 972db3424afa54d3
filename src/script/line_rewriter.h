#pragma once
// The compiler's rewriting rules: block structure becomes line numbers.
//
// Line numbers in rewritten lines are 0-based indexes into the list being
// compiled. A block is a single line, or a "BEGIN;" line through the "END;"
// line that balances it; lines equal to "BEGIN;" count +1 and lines equal to
// "END;" count -1, nothing else counts.

#include <cstddef>
#include <optional>
#include <vector>

#include "objects/script_line.h"
#include "objects/var_table.h"

namespace vuzed {

struct TBlock {
  std::size_t First = 0;
  std::size_t Last = 0;
};

// The block that starts at `start`: the first line from `start` at which the
// count is back to 0 ends it. Nothing when the list ends first.
std::optional<TBlock> FindBlock(const TLineList& lines, std::size_t start);

// The end of a procedure body from `start`: the first line at which the count
// is back to 0 after at least one "BEGIN;" (so a VAR section before the body
// does not end it). Nothing when the list ends first.
std::optional<std::size_t> FindBodyEnd(const TLineList& lines, std::size_t start);

// IF rule, for a line that contains "IF ": the text from the first "THEN;"
// on is dropped and "(first)(after)" appended, the first line of the block
// after the IF and the line after that block: "IF TIME=60THEN;" at line 4
// with a one-line THEN part becomes "IF TIME=60(5)(6)". When that block has
// no end it is taken to run to the end of the list. False in that case.
bool RewriteIfLine(TLineList& lines, std::size_t s);

// FOR rule, for a line that starts with "FOR ": "FOR I:=0TO9DO ;" at line 3
// whose block ends at line 8 becomes "FOR(I,0,9)(4,9)" and line 8 becomes
// "END(3)". The body is meant to be a BEGIN ... END block; a single line
// after the FOR is the block and is itself replaced by the END line. When
// the block has no end, the FOR line's exit is the end of the list and no
// line is replaced. False in that case.
bool RewriteForLine(TLineList& lines, std::size_t s);

// VAR rule, for a line that contains "VAR": from it up to the first line
// equal to "BEGIN;", each line "NAME:TYPE;" whose trimmed type is "SINGLE"
// adds NAME, exactly as written, to `vars` ("J,K:SINGLE;" adds one variable
// named "J,K").
void CollectVarDeclarations(const TLineList& lines, std::size_t s, TVarTable& vars);

// Walks the list top-down and applies to each line, in this order, every rule
// that matches the line as it stands: IF, FOR, VAR. An outer block is thus
// rewritten before the blocks inside it. Returns the indexes of IF and FOR
// lines whose block has no end.
std::vector<std::size_t> RewriteLines(TLineList& lines, TVarTable& vars);

}  // namespace vuzed
