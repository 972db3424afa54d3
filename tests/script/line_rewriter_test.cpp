#include "script/line_rewriter.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace vuzed {
namespace {

TLineList List(std::initializer_list<const char*> texts) {
  TLineList lines;
  int n = 0;
  for (const char* t : texts) lines.push_back({t, {nullptr, ++n}});
  return lines;
}

TEST(RewriteLines, IfCarriesTheFirstLineOfItsBlockAndTheLineAfterIt) {
  // IF at line 4, THEN part a block from line 5 to line 9.
  TLineList l = List({"BEGIN;", "A;", "B;", "C;", "IF TIME=10THEN;", "BEGIN;", "X;", "Y;", "Z;", "END;", "END;"});
  TVarTable vars;
  EXPECT_TRUE(RewriteLines(l, vars).empty());
  EXPECT_EQ(l[4].Text, "IF TIME=10(5)(10)");
  // With a single line after it: (5)(6).
  l = List({"BEGIN;", "A;", "B;", "C;", "IF TIME=10THEN;", "X;", "END;"});
  RewriteLines(l, vars);
  EXPECT_EQ(l[4].Text, "IF TIME=10(5)(6)");
  EXPECT_EQ(l[5].Text, "X;");
}

TEST(RewriteLines, ForBecomesAHeadAndItsEndJumpsBack) {
  // FOR I from 0 to 9 at line 3, its block ending at line 8.
  TLineList l = List({"BEGIN;", "A;", "B;", "FOR I:=0TO9DO ;", "BEGIN;", "C;", "D;", "E;", "END;", "END;"});
  TVarTable vars;
  EXPECT_TRUE(RewriteLines(l, vars).empty());
  EXPECT_EQ(l[3].Text, "FOR(I,0,9)(4,9)");
  EXPECT_EQ(l[8].Text, "END(3)");
  EXPECT_EQ(l[9].Text, "END;");
  EXPECT_EQ(l[8].Place.Line, 9);  // the END line keeps its place

  // Nested: the outer END is replaced first, so the inner search stops at its own.
  l = List({"FOR I:=1TOADO ;", "BEGIN;", "FOR J:=2TOBDO ;", "BEGIN;", "X;", "END;", "END;"});
  RewriteLines(l, vars);
  EXPECT_EQ(l[0].Text, "FOR(I,1,A)(1,7)");
  EXPECT_EQ(l[2].Text, "FOR(J,2,B)(3,6)");
  EXPECT_EQ(l[5].Text, "END(2)");
  EXPECT_EQ(l[6].Text, "END(0)");
  // A single-line body is the block and becomes the END line.
  l = List({"FOR I:=0TO3DO ;", "X:=1;", "Y;"});
  RewriteLines(l, vars);
  EXPECT_EQ(l[0].Text, "FOR(I,0,3)(1,2)");
  EXPECT_EQ(l[1].Text, "END(0)");
}

TEST(RewriteLines, ABlockWithoutEndRunsToTheEndOfTheList) {
  TLineList l = List({"BEGIN;", "FOR I:=0TO9DO ;", "BEGIN;", "X;", "IF A=1THEN;", "BEGIN;", "Y;"});
  TVarTable vars;
  EXPECT_EQ(RewriteLines(l, vars), (std::vector<std::size_t>{1, 4}));
  EXPECT_EQ(l[1].Text, "FOR(I,0,9)(2,7)");
  EXPECT_EQ(l[4].Text, "IF A=1(5)(7)");
  EXPECT_EQ(l[0].Text, "BEGIN;");  // no line is taken for the missing END
}

TEST(RewriteLines, VarDeclaresSingleNamesUpToTheBody) {
  TLineList l = List({"VAR;", "J,K:SINGLE;", "VAR;", "S:STRING;", "T: SINGLE ;", "BEGIN;", "U:SINGLE;", "END;",
                      "X:=VAR;", "W:SINGLE;"});
  TVarTable vars;
  vars.Add("P");
  RewriteLines(l, vars);
  std::vector<std::string> names;
  for (std::size_t i = 0; i < vars.Count(); ++i) names.push_back(vars[i].Name);
  // "J,K" is one variable whose name holds the comma; the second VAR line
  // adds nothing twice; a line holding VAR after the body's BEGIN counts too.
  EXPECT_EQ(names, (std::vector<std::string>{"P", "J,K", "T", "W"}));
}

}  // namespace
}  // namespace vuzed
