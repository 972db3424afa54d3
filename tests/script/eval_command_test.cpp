// `vuzed-tool eval` end to end.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/tool_runner.h"

namespace vuzed {
namespace {

using test::RunTool;
using Lines = std::vector<std::string>;

TEST(EvalCommand, PrintsOneNumberPerExpression) {
  auto r = RunTool({"eval", "--kind", "enemy", "--", "7/2", "2*-3", "0.1", "0.000001", "1E30*1E30-1E30*1E30",
                    "-0*1", "1E30*1E30"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.OutLines(), (Lines{"3.5", "-6", "0.100000001490116", "0.000000999999997475243", "nan", "0", "inf"}));
  EXPECT_EQ(r.Err, "");
}

TEST(EvalCommand, KindsValuesAndConditions) {
  auto stage = RunTool({"eval", "--kind", "stage", "--var", "a=2.5", "--global", "G=4", "--time", "120", "7/2",
                        "A*G", "TIME", "GETPLAYERX"});
  ASSERT_EQ(stage.Status, 0) << stage.Err;
  EXPECT_EQ(stage.OutLines(), (Lines{"4", "10", "120", "0"}));

  auto enemy = RunTool({"eval", "--kind", "enemy", "--self", "100,100", "--player", "100,300", "--count", "7",
                        "--hp", "50", "GETANGLETOPLAYER", "COUNT+HP", "-GETSELFX", "0-GETSELFX"});
  ASSERT_EQ(enemy.Status, 0) << enemy.Err;
  EXPECT_EQ(enemy.OutLines(), (Lines{"90", "57", "0", "-100"}));

  auto cond = RunTool({"eval", "--kind", "stage", "--cond", "--var", "A=3", "A<=3", "A<>3", "A", "A=TRUE"});
  ASSERT_EQ(cond.Status, 0) << cond.Err;
  EXPECT_EQ(cond.OutLines(), (Lines{"true", "false", "false", "false"}));
}

TEST(EvalCommand, ReferenceGivesTheSameAndTheSeedIsShared) {
  std::vector<std::string> args{"--kind", "bullet", "--seed", "99", "--var", "X=-3", "--",
                                "RANDOM(100)", "RANDOM(100)", "--(X)*2", "2*-(X)", "COS(90)"};
  std::vector<std::string> compiled{"eval"}, reference{"eval", "--reference"};
  compiled.insert(compiled.end(), args.begin(), args.end());
  reference.insert(reference.end(), args.begin(), args.end());
  auto a = RunTool(compiled);
  auto b = RunTool(reference);
  ASSERT_EQ(a.Status, 0) << a.Err;
  EXPECT_EQ(a.Out, b.Out);
  Lines lines = a.OutLines();
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_NE(lines[0], lines[1]);  // one generator, seeded once
  EXPECT_EQ(lines[2], "-6");
}

TEST(EvalCommand, ATextThatIsNoExpressionIsNamedAndFailsTheRun) {
  for (const char* evaluator : {"--kind", "--reference"}) {
    Lines args{"eval", "--kind", "enemy", "--", "FOO(1)", "(1", "1+2"};
    if (std::string(evaluator) == "--reference") args.insert(args.begin() + 1, "--reference");
    auto r = RunTool(args);
    EXPECT_EQ(r.Status, 1) << evaluator;
    EXPECT_EQ(r.OutLines(), (Lines{"0", "0", "3"})) << evaluator;
    EXPECT_EQ(r.Err,
              "vuzed-tool eval: \"FOO(1)\" is not an expression; it counts as 0\n"
              "vuzed-tool eval: \"(1\" is not an expression; it counts as 0\n")
        << evaluator;
  }
}

TEST(EvalCommand, BadArgumentsExitWithTwo) {
  for (const Lines& args : {Lines{"eval", "1+1"}, Lines{"eval", "--kind", "boss", "1"}, Lines{"eval", "--kind", "enemy"},
                            Lines{"eval", "--kind", "enemy", "--var", "A", "1"},
                            Lines{"eval", "--kind", "enemy", "--player", "1", "1"},
                            Lines{"eval", "--kind", "enemy", "--count", "x", "1"},
                            Lines{"eval", "--kind", "enemy", "--frobnicate", "1"}}) {
    auto r = RunTool(args);
    EXPECT_EQ(r.Status, 2) << args.back();
    EXPECT_EQ(r.Out, "");
    EXPECT_NE(r.Err, "");
  }
  auto help = RunTool({"eval", "--help"});
  EXPECT_EQ(help.Status, 0);
  EXPECT_NE(help.Out.find("--kind"), std::string::npos);
}

}  // namespace
}  // namespace vuzed
