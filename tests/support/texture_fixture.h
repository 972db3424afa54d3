#pragma once
// A device on the null backend with the engine log in a fresh directory, for
// texture tests: debug messages and the detailed log on, no halt.

#include <gtest/gtest.h>

#include <string>

#include "engine/graphics/device.h"
#include "engine/graphics/engine_log.h"
#include "engine/graphics/pixel_format.h"
#include "engine/graphics/texture.h"
#include "engine/platform/null_render_backend.h"
#include "engine/platform/window_host.h"
#include "support/bmp_writer.h"
#include "support/test_dir.h"

namespace vuzed::test {

class TextureFixture : public ::testing::Test {
 protected:
  TextureFixture() { Device.SetLogDirectory(Dir.Path()); }

  // Creates the device; tests change Backend.Caps or formats before.
  void StartDevice() {
    Device.SetDebugOption({false, true, true});
    Device.Loaded();
  }
  void SetUp() override { StartDevice(); }

  std::string Log() const { return Dir.Read(EngineLog::FileName); }
  // True when some log line ends in text.
  bool LogHasLine(const std::string& text) const {
    const std::string log = Log();
    for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1))
      if (at + text.size() == log.size() || log[at + text.size()] == '\n') return true;
    return false;
  }

  std::string WriteBmp(const std::string& name, const BmpPicture& picture) const {
    return Dir.Write(name, MakeBmp(picture)).string();
  }

  // Pixel (x, y) of t as an ARGB colour.
  static uint32_t ColorAt(const TMXTexture& t, int x, int y) { return PixelToColor(t.PixelAt(x, y), t.Format()); }

  TempDir Dir;
  NullRenderBackend Backend;
  NullWindowHost Window;
  TDovivez Device{Backend, Window};
};

}  // namespace vuzed::test
