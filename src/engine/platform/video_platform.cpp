#include "engine/platform/video_platform.h"

#include "engine/platform/sdl_platform.h"

namespace vuzed {

std::unique_ptr<VideoPlatform> CreateSdlVideoPlatform(const VideoOptions& options, std::string& error) {
  SdlPlatformOptions sdl;
  sdl.Hidden = options.Hidden;
  sdl.VSync = options.VSync;
  return SdlPlatform::Create(sdl, error);
}

}  // namespace vuzed
