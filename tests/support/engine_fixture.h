#pragma once
// A device on the null renderer, with the engine log written into a fresh
// temporary directory.

#include <memory>
#include <string>
#include <vector>

#include "engine/graphics/device.h"
#include "engine/graphics/engine_log.h"
#include "engine/platform/null_render_backend.h"
#include "engine/platform/window_host.h"
#include "support/test_dir.h"

namespace vuzed::test {

class EngineFixture {
 public:
  explicit EngineFixture(EngineLogOptions options = {false, true, true}, bool load = true);
  ~EngineFixture();

  // The log's lines, without line ends.
  std::vector<std::string> LogLines() const;
  bool LogExists() const;

  TempDir Dir;
  NullRenderBackend Backend;
  NullWindowHost Window;
  std::unique_ptr<TDovivez> Device;
};

}  // namespace vuzed::test
