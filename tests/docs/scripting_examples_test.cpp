// Every example of the authors' reference (docs/scripting.md, the fenced
// blocks marked "vuzed") compiles without a message through
// `vuzed-tool compile`: a block with a MAIN or OPENING procedure as a stage
// file, any other as a used file. Stage examples are compiled from the
// source tree's root, so a `uses` of data\Script\... finds the game's own
// units as the game would.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/test_dir.h"
#include "support/tool_runner.h"

namespace vuzed {
namespace {

const std::filesystem::path kSourceRoot = std::filesystem::path(VUZED_TEST_DATA).parent_path().parent_path();

struct TExample {
  int Line = 0;  // line of the opening fence in the document
  std::string Text;
};

// The bodies of the ```vuzed blocks, in document order.
std::vector<TExample> VuzedBlocks(const std::string& document) {
  std::vector<TExample> blocks;
  std::istringstream in(document);
  std::string line;
  bool inside = false;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!inside && line == "```vuzed") {
      inside = true;
      blocks.push_back({number, ""});
    } else if (inside && line.rfind("```", 0) == 0) {
      inside = false;
    } else if (inside) {
      blocks.back().Text += line + "\n";
    }
  }
  EXPECT_FALSE(inside) << "the last vuzed block has no closing fence";
  return blocks;
}

bool IsStage(const std::string& text) {
  std::string upper;
  for (char c : text) upper += (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
  return upper.find("PROCEDURE MAIN") != std::string::npos || upper.find("PROCEDURE OPENING") != std::string::npos;
}

class InDirectory {
 public:
  explicit InDirectory(const std::filesystem::path& dir) : Saved_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir);
  }
  ~InDirectory() { std::filesystem::current_path(Saved_); }

 private:
  std::filesystem::path Saved_;
};

TEST(ScriptingExamples, EveryExampleOfTheReferenceCompilesCleanly) {
  std::ifstream file(kSourceRoot / "docs" / "scripting.md", std::ios::binary);
  ASSERT_TRUE(file) << "docs/scripting.md not found under " << kSourceRoot;
  std::stringstream document;
  document << file.rdbuf();
  const std::vector<TExample> examples = VuzedBlocks(document.str());
  // Stage files, units, bullets, a boss, a familiar and a dialogue at least.
  ASSERT_GE(examples.size(), 8u);

  test::TempDir dir;
  InDirectory here(kSourceRoot);
  int stages = 0;
  for (size_t i = 0; i < examples.size(); ++i) {
    const TExample& example = examples[i];
    const bool stage = IsStage(example.Text);
    stages += stage ? 1 : 0;
    const auto path = dir.Write("example" + std::to_string(i) + ".txt", example.Text);
    std::vector<std::string> args{"compile"};
    if (!stage) args.push_back("--unit");
    args.push_back(path.string());
    const auto r = test::RunTool(args);
    EXPECT_EQ(r.Status, 0) << "example at docs/scripting.md:" << example.Line;
    EXPECT_EQ(r.Err, "") << "example at docs/scripting.md:" << example.Line;
    // A clean compile still has to produce procedures (an example that
    // lost its TYPE section would print nothing and say nothing).
    EXPECT_NE(r.Out.find("== "), std::string::npos) << "example at docs/scripting.md:" << example.Line;
  }
  EXPECT_GE(stages, 2);
}

}  // namespace
}  // namespace vuzed
