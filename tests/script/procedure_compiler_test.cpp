#include "script/procedure_compiler.h"

#include <gtest/gtest.h>

#include "script/source_reader.h"

namespace vuzed {
namespace {

TEST(ProcedureName, IsTheTextAfterProcedureUpToTheParameters) {
  EXPECT_EQ(ProcedureName("PROCEDURE ENEMY1(X,Y:SINGLE);"), "ENEMY1");
  EXPECT_EQ(ProcedureName("PROCEDURE MAIN;"), "MAIN");
  EXPECT_EQ(ProcedureName("TYPE;"), "");
  EXPECT_EQ(ProcedureName("END;"), "");
  EXPECT_EQ(ProcedureName("PROCEDURE ;"), "");
}

TEST(CompileProcedure, ParametersThenVarsAndTheWholeBody) {
  const TLineList statements = ReadStatements(
      "procedure Shot(a, b: single);\n"
      "var\n"
      "  t : single;\n"
      "  u : single;\n"
      "begin\n"
      "  if t = 1 then fire(a);\n"
      "end;\n"
      "procedure Other;",
      TSourceKind::Stage, nullptr);
  const TCompiledProcedure p = CompileProcedure(statements, TBlockIndex(statements), 0);
  ASSERT_EQ(p.Vars.Count(), 4u);
  EXPECT_EQ(p.Vars[0].Name, "A");
  EXPECT_EQ(p.Vars[1].Name, "B");
  EXPECT_EQ(p.Vars[2].Name, "T");
  EXPECT_EQ(p.Vars[3].Name, "U");
  ASSERT_EQ(p.Lines.size(), 7u);
  EXPECT_EQ(p.Lines[0].Text, "VAR;");
  EXPECT_EQ(p.Lines[4].Text, "IF T=1(5)(6)");
  EXPECT_EQ(p.Lines[4].Place.Line, 6);
  EXPECT_EQ(p.Lines[6].Text, "END;");
  EXPECT_TRUE(p.Balanced);
}

}  // namespace
}  // namespace vuzed
