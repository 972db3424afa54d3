// Without a video driver that can do OpenGL (the test binary runs on SDL's
// dummy driver) the platform refuses cleanly, so the caller can fall back.

#include "engine/platform/sdl_platform.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace vuzed {
namespace {

TEST(SdlPlatform, NoOpenGLMeansNoPlatformAndAReason) {
  const char* driver = SDL_getenv("SDL_VIDEODRIVER");
  if (!driver || std::string(driver) != "dummy") GTEST_SKIP() << "needs SDL_VIDEODRIVER=dummy";
  const Uint32 before = SDL_WasInit(SDL_INIT_EVERYTHING);
  std::string error;
  SdlPlatformOptions options;
  options.Hidden = true;
  EXPECT_EQ(SdlPlatform::Create(options, error), nullptr);
  EXPECT_NE(error.find("window"), std::string::npos) << error;
  // Everything it started has been shut down again.
  EXPECT_EQ(SDL_WasInit(SDL_INIT_EVERYTHING), before);
  // A second try fails the same way rather than crashing on leftovers.
  error.clear();
  EXPECT_EQ(SdlPlatform::Create(options, error), nullptr);
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace vuzed
