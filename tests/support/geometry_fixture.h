#pragma once
// A device on the null backend for buffer and mesh tests, with the engine log
// in a fresh directory. Halt-on-error is on, as in the game, but a halt only
// counts: content must never reach one.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/graphics/device.h"
#include "engine/graphics/engine_log.h"
#include "engine/platform/null_render_backend.h"
#include "engine/platform/window_host.h"
#include "support/test_dir.h"

namespace vuzed::test {

class GeometryFixture : public ::testing::Test {
 protected:
  GeometryFixture() {
    Device.SetLogDirectory(Dir.Path());
    Halts() = 0;
    Device.SetHaltHandler([] { ++Halts(); });
  }
  void SetUp() override {
    Device.SetDebugOption({true, true, false});
    Device.Loaded();
  }

  static int& Halts() {
    static int count = 0;
    return count;
  }
  std::string Log() const { return Dir.Read(EngineLog::FileName); }
  // Lines of the log since the last call, numbers and indent stripped.
  std::vector<std::string> NewLogLines() {
    const std::string log = Log();
    std::vector<std::string> lines;
    for (size_t at = Seen_; at < log.size();) {
      size_t end = log.find('\n', at);
      if (end == std::string::npos) end = log.size();
      std::string line = log.substr(at, end - at);
      if (size_t bar = line.find(" | "); bar != std::string::npos) line.erase(0, line.find_first_not_of(' ', bar + 3));
      lines.push_back(line);
      at = end + 1;
    }
    Seen_ = log.size();
    return lines;
  }
  void ChangeMode() {
    Device.ChangeToFullScreen(640, 480, fmt::X8R8G8B8, {});
    Device.ChangeToWindowMode(640, 480, {});
  }

  TempDir Dir;
  NullRenderBackend Backend;
  NullWindowHost Window;
  TDovivez Device{Backend, Window};

 private:
  size_t Seen_ = 0;
};

}  // namespace vuzed::test
