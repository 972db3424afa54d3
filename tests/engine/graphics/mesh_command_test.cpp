// End to end: `vuzed-tool mesh` on small ".vz" files.

#include <gtest/gtest.h>

#include <string>

#include "support/test_dir.h"
#include "support/tool_runner.h"
#include "support/vz_writer.h"

namespace vuzed {
namespace {

using test::RunTool;
using test::Vertex40;

class MeshCommandTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const test::VzFile& file) {
    return Dir.Write(name, test::MakeVz(file)).string();
  }
  test::TempDir Dir;
};

TEST_F(MeshCommandTest, PrintsTheCountsAndBoundsAndAfterWeldingTheIndexList) {
  const std::string quad = Write(
      "quad.vz", test::Version0({Vertex40(-1, -2, -2), Vertex40(1, 2, 2), Vertex40(1, -2, 2.5f), Vertex40(1, -2, 2.5f),
                                 Vertex40(1, 2, 2), Vertex40(-1, 2, 2)},
                                {0, 1, 2, 3, 4, 5}));
  const std::string bounds = R"("min":[-1,-2,-2],"max":[1,2,2.5],"centre":[0,0,0.25],"radius":3.1721444)";
  auto r = RunTool({"mesh", quad});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Err, "");
  EXPECT_EQ(r.Out, R"({"version":0,"fvf":466,"stride":40,"vertices":6,"indices":6,"faces":2,)" + bounds + "}\n");
  r = RunTool({"mesh", "--weld", "--indices", quad});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out, R"({"version":0,"fvf":466,"stride":40,"vertices":4,"indices":6,"faces":2,)" + bounds +
                       R"(,"index_list":[0,1,2,2,1,3]})" "\n");
}

TEST_F(MeshCommandTest, AMeshTheGameCannotLoadPrintsItsLogTextAndExits1) {
  test::VzFile bad = test::Version0({}, {});
  bad.Magic = "Vezurive_Geo01  ";
  const std::string badPath = Write("bad.vz", bad);
  const std::string missing = (Dir.Path() / "none.vz").string();
  struct Row {
    std::vector<std::string> Args;
    std::string Err;
  };
  for (const Row& row : {Row{{"mesh", badPath}, "VZLib: 不正なVZファイルです\n"},
                         Row{{"mesh", missing}, "VZLib: " + missing + " が、開けません\n"},
                         Row{{"mesh", "--archive", missing, "A.VZ"}, "VZLib: " + missing + " 内の、A.VZが抽出できません\n"}}) {
    auto r = RunTool(row.Args);
    EXPECT_EQ(r.Status, 1) << row.Args.back();
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(r.Err, row.Err);
  }
}

TEST_F(MeshCommandTest, BadArgumentsExit2AndHelpGoesToStdout) {
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"mesh"}, {"mesh", "--bogus", "a.vz"}, {"mesh", "a.vz", "b.vz"}, {"mesh", "a.vz", "--archive"}}) {
    auto r = RunTool(args);
    EXPECT_EQ(r.Status, 2) << args.size();
    EXPECT_EQ(r.Out, "");
    EXPECT_NE(r.Err.find("usage: vuzed-tool mesh"), std::string::npos);
  }
  auto help = RunTool({"mesh", "--help"});
  EXPECT_EQ(help.Status, 0);
  EXPECT_EQ(help.Out.rfind("usage: vuzed-tool mesh [--archive ARCHIVE] [--weld] [--indices] FILE\n", 0), 0u);
}

}  // namespace
}  // namespace vuzed
