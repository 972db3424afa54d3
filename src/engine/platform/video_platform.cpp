#include "engine/platform/video_platform.h"

namespace vuzed {

std::unique_ptr<VideoPlatform> CreateSdlVideoPlatform(std::string& error) {
  error = "no SDL video platform in this build";
  return nullptr;
}

}  // namespace vuzed
