// End to end: `vuzed-tool compile` on small scripts.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/test_dir.h"
#include "support/tool_runner.h"

namespace vuzed {
namespace {

using test::RunTool;
using test::TempDir;

// Used files are found from the current directory, as in the game.
class InDirectory {
 public:
  explicit InDirectory(const std::filesystem::path& dir) : Saved_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir);
  }
  ~InDirectory() { std::filesystem::current_path(Saved_); }

 private:
  std::filesystem::path Saved_;
};

const std::string kBasic = std::string(VUZED_TEST_DATA) + "/script/compile_basic";

const char* const kEnemy1 =
    "== ENEMY1\n"
    "vars: X,Y,T\n"
    "0: VAR;\n"
    "1: T:SINGLE;\n"
    "2: BEGIN;\n"
    "3: T:=T+1;\n"
    "4: IF T>30(5)(8)\n"
    "5: BEGIN;\n"
    "6: FIRE(X,Y);\n"
    "7: END;\n"
    "8: END;\n";

TEST(CompileCommand, PrintsTheStageProcedureTableWithItsUsedFiles) {
  InDirectory here(kBasic);
  auto r = RunTool({"compile", "data/Script/Stage1.txt"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Err, "");  // compiles cleanly
  EXPECT_EQ(r.Out, std::string(kEnemy1) +
                       "== OPENING\n"
                       "vars:\n"
                       "0: BEGIN;\n"
                       "1: SETLAYOUT(VERTICAL);\n"
                       "2: END;\n"
                       "== MAIN\n"
                       "vars: I\n"
                       "0: VAR;\n"
                       "1: I:SINGLE;\n"
                       "2: BEGIN;\n"
                       "3: IF TIME=60(4)(5)\n"
                       "4: CREATEENEMY(ENEMY1,100,200);\n"
                       "5: FOR(I,0,2)(6,9)\n"
                       "6: BEGIN;\n"
                       "7: CREATEENEMY(ENEMY1,I*50,0);\n"
                       "8: END(5)\n"
                       "9: END;\n");

  r = RunTool({"compile", "--unit", "data/Script/Enemy.txt"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out, kEnemy1);
  EXPECT_EQ(r.Err, "");
}

TEST(CompileCommand, ReportsProblemsOnStderrAndPrintsUndefinedNames) {
  TempDir dir;
  const auto stage = dir.Write("s.txt",
                               "uses gone.txt;\n"
                               "type procedure Main; end;\n"
                               "procedure Other; begin\nend;\n");
  auto r = RunTool({"compile", stage.string()});
  ASSERT_EQ(r.Status, 0);
  EXPECT_EQ(r.Out, "== MAIN\n(undefined)\n");
  const std::string s = stage.string();
  EXPECT_EQ(r.Err, s + ":1: used file \"GONE.TXT\" not found\n" + s +
                       ":3: procedure OTHER is not declared in a TYPE section and is not compiled\n" + s +
                       ":2: procedure MAIN is declared but never defined\n");

  const auto unit = dir.Write("u.txt", "type procedure A; end; implementation");
  r = RunTool({"compile", "--unit", unit.string()});
  EXPECT_EQ(r.Out, "== A\n(undefined)\n");
}

// Two lines that compile but cannot do what they say get a warning: a FOR
// whose body is a single statement (it becomes the loop's END and is lost)
// and an IF condition with a parenthesis (the condition ends there).
TEST(CompileCommand, WarnsOfALoopWithoutABlockAndAConditionWithAParenthesis) {
  TempDir dir;
  const auto stage = dir.Write("s.txt",
                               "type procedure E; end;\n"
                               "procedure E;\nvar I: single;\nbegin\n"
                               "  for I := 0 to 3 do\n    BU01(1, I, 15);\n"
                               "  for I := 0 to 3 do\n  begin\n    BU01(1, I, 15);\n  end;\n"
                               "  if (count + 1) % 2 = 0 then BU01(1, 0, 15);\n"
                               "  if count % 2 = 0 then BU01(1, 0, 15);\n"
                               "end;\n");
  const auto r = RunTool({"compile", stage.string()});
  ASSERT_EQ(r.Status, 0);
  const std::string s = stage.string();
  EXPECT_EQ(r.Err, s + ":5: FOR needs a BEGIN ... END block: its single statement is lost\n" + s +
                       ":11: an IF condition ends at its first \"(\": compute the value into a variable first\n");
}

TEST(CompileCommand, ArgumentsAndUnreadableFiles) {
  auto r = RunTool({"compile", "--help"});
  EXPECT_EQ(r.Status, 0);
  EXPECT_EQ(r.Out.rfind("usage: vuzed-tool compile [--unit] FILE\n", 0), 0u);
  EXPECT_EQ(RunTool({"compile"}).Status, 2);
  EXPECT_EQ(RunTool({"compile", "--fast", "a.txt"}).Status, 2);
  EXPECT_EQ(RunTool({"compile", "a.txt", "b.txt"}).Status, 2);

  TempDir dir;
  r = RunTool({"compile", (dir.Path() / "missing.txt").string()});
  EXPECT_EQ(r.Status, 1);
  EXPECT_EQ(r.Out, "");
  EXPECT_NE(r.Err.find("missing.txt"), std::string::npos);
  EXPECT_EQ(RunTool({"compile", dir.Path().string()}).Status, 1);  // a directory
}

TEST(CompileCommand, HugeLinesAndBinaryGarbageCompile) {
  TempDir dir;
  std::string line = "type procedure Main; end; procedure Main;\nbegin\n";
  while (line.size() < 100000) line += "if x = 1 then y := (y + 1) * 2; ";
  line += "\nend;\n";
  auto r = RunTool({"compile", dir.Write("long.txt", line).string()});
  ASSERT_EQ(r.Status, 0) << r.Err;
  // Only the first THEN of a line gets its ";"; the later IFs keep their THEN.
  EXPECT_EQ(r.Out.rfind("== MAIN\nvars:\n0: BEGIN;\n1: IF X=1(2)(3)\n2: Y:=(Y+1)*2;\n3: IF X=1THENY:=(Y+1)*2;(4)(5)\n", 0),
            0u)
      << r.Out.substr(0, 200);

  // Random bytes, then random script words.
  constexpr const char* kWords[] = {"begin ", "end;", "if x then ", "for i:=1 to 2 do ", "procedure p", "type ",
                                    "implementation ", "var ", "a:single;", ";", "\n", "//", "\x83", "(", ","};
  std::string garbage;
  uint32_t seed = 99;
  auto next = [&seed] { return seed = seed * 134775813u + 1u; };
  for (int i = 0; i < 200000; ++i) garbage += char(next() >> 24);
  for (int i = 0; i < 40000; ++i) garbage += kWords[(next() >> 16) % std::size(kWords)];
  const auto file = dir.Write("garbage.bin", garbage);
  EXPECT_EQ(RunTool({"compile", file.string()}).Status, 0);
  EXPECT_EQ(RunTool({"compile", "--unit", file.string()}).Status, 0);
}

}  // namespace
}  // namespace vuzed
