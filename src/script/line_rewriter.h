#pragma once
// The compiler's rewriting rules: block structure becomes line numbers.
//
// Line numbers in rewritten lines are 0-based indexes into the list being
// compiled; blocks are found with a TBlockIndex of that list, which the rules
// keep up to date when they rewrite a BEGIN or END line.

#include <cstddef>
#include <string>
#include <vector>

#include "objects/script_line.h"
#include "objects/var_table.h"
#include "script/block_index.h"

namespace vuzed {

// IF rule, for a line that contains "IF ": the text from the first "THEN;"
// on is dropped and "(first)(after)" appended, the first line of the block
// after the IF and the line after that block: "IF TIME=60THEN;" at line 4
// with a one-line THEN part becomes "IF TIME=60(5)(6)". When that block has
// no end it is taken to run to the end of the list. False in that case.
bool RewriteIfLine(TLineList& lines, std::size_t s, const TBlockIndex& blocks);

// FOR rule, for a line that starts with "FOR ": "FOR I:=0TO9DO ;" at line 3
// whose block ends at line 8 becomes "FOR(I,0,9)(4,9)" and line 8 becomes
// "END(3)". The body is meant to be a BEGIN ... END block; a single line
// after the FOR is the block and is itself replaced by the END line. When
// the block has no end, the FOR line's exit is the end of the list and no
// line is replaced. False in that case.
bool RewriteForLine(TLineList& lines, std::size_t s, TBlockIndex& blocks);

// "NAME:TYPE;" with the trimmed type "SINGLE" declares NAME, exactly as
// written ("J,K:SINGLE;" declares one variable named "J,K").
bool DeclaresSingle(const std::string& line);

// Walks the list top-down and applies to each line, in this order, every rule
// that matches the line as it stands: IF, FOR, and VAR, which applies to a
// line that contains "VAR" anywhere and adds to `vars` each declaration from
// that line up to the first line equal to "BEGIN;". An outer block is thus
// rewritten before the blocks inside it. Each declaration line adds its
// variable once, however many VAR lines above it reach it. Returns the
// indexes of IF and FOR lines whose block has no end.
std::vector<std::size_t> RewriteLines(TLineList& lines, TVarTable& vars);

}  // namespace vuzed
