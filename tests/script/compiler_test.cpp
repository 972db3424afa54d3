#include "script/compiler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/test_dir.h"

namespace vuzed {
namespace {

using test::TempDir;

std::vector<std::string> LinesOf(const TCompiledScript& s, std::string_view name) {
  std::vector<std::string> texts;
  const TSecondStringList2* def = s.Procedures.Find(name);
  if (def)
    for (const TScriptLine& l : **def->Lines) texts.push_back(l.Text);
  return texts;
}

std::vector<std::string> Names(const TCompiledScript& s) {
  std::vector<std::string> names;
  for (std::size_t i = 0; i < s.Procedures.Count(); ++i) names.push_back(s.Procedures[i].Name);
  return names;
}

const char* const kUnit =
    "type\n"
    "  procedure Enemy1(x: single);\n"
    "  procedure Ghost;\n"
    "end;\n"
    "implementation\n"
    "procedure Enemy1(x: single);\n"
    "begin\n"
    "  move(x);\n"
    "end;\n"
    "procedure Stray;\n"
    "begin\n"
    "end;\n";

TEST(CompileStage, UsedFilesDeclareAndDefineTheirOwnProcedures) {
  TempDir root;
  root.Write("data/Script/Enemy.txt", kUnit);
  root.Write("data/Script/Stage1.txt",
             "uses data\\script\\enemy.txt, data\\script\\none.txt;\n"
             "type\n"
             "  procedure Main;\n"
             "end;\n"
             "procedure Main;\n"
             "begin\n"
             "  if time = 60 then Enemy1(1);\n"
             "end;\n");
  TCompiledScript script;
  TCompileDiagnostics diagnostics;
  ASSERT_TRUE(CompileStage(FileResolver(root.Path()), "DATA\\SCRIPT\\STAGE1.TXT", script, &diagnostics));

  // TYPE; and END; declare the empty name; names keep declaration order.
  EXPECT_EQ(Names(script), (std::vector<std::string>{"", "ENEMY1", "GHOST", "MAIN"}));
  EXPECT_EQ(LinesOf(script, "enemy1"), (std::vector<std::string>{"BEGIN;", "MOVE(X);", "END;"}));
  EXPECT_EQ((*script.Procedures.Find("ENEMY1")->Vars)->Count(), 1u);
  EXPECT_EQ(script.Procedures.IndexOf("ghost"), 2);
  EXPECT_EQ(script.Procedures.Find("GHOST"), nullptr);  // declared, never defined
  EXPECT_EQ(script.Procedures.IndexOf("STRAY"), -1);
  EXPECT_EQ(LinesOf(script, "MAIN"), (std::vector<std::string>{"BEGIN;", "IF TIME=60(2)(3)", "ENEMY1(1);", "END;"}));
  // The statement list has its IF lines rewritten with its own indexes.
  EXPECT_EQ(script.Statements[7].Text, "IF TIME=60(8)(9)");

  EXPECT_EQ(diagnostics.Messages(),
            (std::vector<std::string>{
                "data/Script/Enemy.txt:10: procedure STRAY is not declared in a TYPE section and is not compiled",
                "data/Script/Stage1.txt:1: used file \"DATA\\SCRIPT\\NONE.TXT\" not found",
                "data/Script/Enemy.txt:3: procedure GHOST is declared but never defined",
            }));
}

TEST(CompileStage, TheLastDefinitionWinsAndADeclarationIsNoDefinition) {
  TempDir root;
  root.Write("unit.txt", kUnit);
  TCompiledScript script;
  TCompileDiagnostics diagnostics;
  const FileResolver files(root.Path());
  CompileStageText(
      "uses unit.txt;\n"
      "type\n"
      "  procedure Enemy1(x: single);\n"  // declared again after the unit defined it
      "  procedure Main;\n"
      "  procedure Lost;\n"
      "  procedure Stray;\n"
      "end;\n"
      "procedure Main; begin\n first;\nend;\n"
      "procedure Main; begin\n second;\nend;\n"
      "uses unit.txt;\n",  // used again: STRAY is declared by now
      "s.txt", &files, script, &diagnostics);
  EXPECT_EQ(LinesOf(script, "MAIN"), (std::vector<std::string>{"BEGIN;", "SECOND;", "END;"}));
  EXPECT_EQ(LinesOf(script, "ENEMY1"), (std::vector<std::string>{"BEGIN;", "MOVE(X);", "END;"}));
  EXPECT_EQ(LinesOf(script, "STRAY"), (std::vector<std::string>{"BEGIN;", "END;"}));
  ASSERT_GE(script.Procedures.IndexOf("LOST"), 0);
  EXPECT_EQ(script.Procedures.Find("LOST"), nullptr);
  const std::vector<std::string>& m = diagnostics.Messages();
  EXPECT_NE(std::find(m.begin(), m.end(), "s.txt:5: procedure LOST is declared but never defined"), m.end());
  // Each distinct message once, though the unit was used twice.
  EXPECT_EQ(std::count(m.begin(), m.end(), "unit.txt:3: procedure GHOST is declared but never defined"), 1);
}

TEST(CompileStage, UnbalancedBlocksAreReportedAndCompileToSomethingSafe) {
  TCompiledScript script;
  TCompileDiagnostics diagnostics;
  CompileStageText(
      "type procedure A; procedure B; procedure C; end;\n"
      "procedure A;\n"
      "begin\n"
      "  if x then\n"  // its THEN part would be the END of the body
      "end;\n"
      "procedure C;\n"
      "begin\n"
      "  for i := 0 to 3 do end;\n"
      "procedure B;\n"
      "begin\n"
      "  begin\n"
      "end;\n",
      "s.txt", nullptr, script, &diagnostics);
  // A block without end runs to the end of the list; no line is replaced.
  EXPECT_EQ(LinesOf(script, "A"), (std::vector<std::string>{"BEGIN;", "IF X(2)(3)", "END;"}));
  EXPECT_EQ(LinesOf(script, "C"), (std::vector<std::string>{"BEGIN;", "FOR(I,0,3)(2,3)", "END;"}));
  ASSERT_NE(script.Procedures.Find("B"), nullptr);
  EXPECT_TRUE(LinesOf(script, "B").empty());
  EXPECT_EQ(diagnostics.Messages(), (std::vector<std::string>{
                                        "s.txt:9: procedure B: BEGIN and END do not balance; it has no lines",
                                        "s.txt:4: IF block has no end",
                                        "s.txt:8: FOR block has no end",
                                    }));
}

TEST(CompileStage, AMissingStageFileChangesNothing) {
  TempDir root;
  TCompiledScript script;
  EXPECT_FALSE(CompileStage(FileResolver(root.Path()), "data\\Script\\Stage9.txt", script));
  EXPECT_EQ(script.Procedures.Count(), 0u);
  EXPECT_TRUE(script.Statements.empty());
}

TEST(CompileUnit, CompilesOnlyFromImplementationOn) {
  TCompiledScript script;
  TCompileDiagnostics diagnostics;
  CompileUnitText(
      "type procedure A; procedure B; end;\n"
      "procedure A; begin early; end;\n"
      "implementation\n"
      "procedure B; begin late; end;\n",
      "u.txt", script, &diagnostics);
  EXPECT_EQ(script.Procedures.Find("A"), nullptr);
  EXPECT_EQ(LinesOf(script, "B"), (std::vector<std::string>{"BEGIN;", "LATE;", "END;"}));
  EXPECT_TRUE(script.Statements.empty());
  EXPECT_EQ(diagnostics.Messages(), (std::vector<std::string>{"u.txt:1: procedure A is declared but never defined"}));
}

}  // namespace
}  // namespace vuzed
