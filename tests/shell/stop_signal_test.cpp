// Told to stop, a headless run ends after the pass in hand and shuts down as
// the game does: the summary is printed and the records are saved.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>

#include "support/test_dir.h"

namespace vuzed {
namespace {

TEST(StopSignals, ARunToldToStopEndsAfterItsPassAndSavesTheRecords) {
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
    test::TempDir root;
    std::filesystem::copy(std::filesystem::path(VUZED_TEST_DATA) / "flow", root.Path(),
                          std::filesystem::copy_options::recursive);
    root.Write("data/information.ini", "[SystemResult]\nAllTime=0\n");
    const std::string out = (root.Path() / "out.txt").string();
    const std::string root_dir = root.Path().string();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      if (!::freopen(out.c_str(), "w", stdout)) ::_exit(126);
      ::execl(VUZED_TOOL, VUZED_TOOL, "run", "--root", root_dir.c_str(), "--frames", "100000000", "--trace", "100",
              nullptr);
      ::_exit(127);
    }
    // The first trace line shows the run is in its loop.
    const auto written = [&out] {
      std::error_code ec;
      const auto size = std::filesystem::file_size(out, ec);
      return !ec && size > 0;
    };
    for (int wait = 0; wait < 1200 && !written(); ++wait) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ::kill(child, signal);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "signal " << signal;
    EXPECT_EQ(WEXITSTATUS(status), 0) << "signal " << signal;
    const std::string summary = root.Read("out.txt");
    EXPECT_EQ(summary.rfind("{\"frame\":", 0), 0u) << summary;
    EXPECT_EQ(summary.back(), '\n');
    EXPECT_EQ(root.Read("data/information.ini").find("AllTime=0\n"), std::string::npos) << "signal " << signal;
  }
}

}  // namespace
}  // namespace vuzed
