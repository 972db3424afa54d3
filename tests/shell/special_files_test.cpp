// A FIFO where the game expects a file would block an open for ever: every
// loader takes only regular files and goes on without the rest.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "support/test_dir.h"
#include "support/tool_runner.h"

namespace vuzed {
namespace {

TEST(SpecialFiles, AFifoInPlaceOfAnyDataFileIsPassedOverWithoutBlocking) {
  test::TempDir root;
  root.Write("data/information.ini", "[Sound]\nWhetherMusic=1\n");
  root.Write("data/Script/Stage1.txt",
             "type\n  procedure OPENING;\n  procedure MAIN;\nend;\nprocedure OPENING;\nbegin\n  SetShotMode(VERTICAL);\n"
             "end;\nprocedure MAIN;\nbegin\n  if time = 2 then SetMusic(1);\nend;\n");
  std::filesystem::create_directories(root.Path() / "data/Graphic/Player");
  std::filesystem::create_directories(root.Path() / "data/Music/BGM");
  for (const char* fifo : {"data/Graphic/Player/1.bmp", "data/Music/BGM/1.ogg", "data/Script/MusicRoom.txt",
                           "mesh.vz", "pictures.vaz", "keys.txt"})
    ASSERT_EQ(::mkfifo((root.Path() / fifo).c_str(), 0600), 0) << fifo;

  const auto run = test::RunTool({"run", "--root", root.Path().string(), "--frames", "10"});
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_NE(run.Out.find("\"frame\":10,"), std::string::npos) << run.Out;
  // The tool's own file arguments: refused with a message.
  const std::string dir = root.Path().string() + "/";
  for (const auto& args : {std::vector<std::string>{"mesh", dir + "mesh.vz"},
                           std::vector<std::string>{"archive", "list", dir + "pictures.vaz"},
                           std::vector<std::string>{"run", "--root", dir, "--input", dir + "keys.txt"}}) {
    const auto r = test::RunTool(args);
    EXPECT_NE(r.Status, 0) << args[0];
    EXPECT_NE(r.Err, "") << args[0];
  }
}

}  // namespace
}  // namespace vuzed
