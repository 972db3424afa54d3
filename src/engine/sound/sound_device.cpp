#include "engine/sound/sound_device.h"

namespace vuzed {

TZudezuChannel& TZudezu::Channel(int index) {
  if (index < 0 || index >= kChannelCount) {
    Spare_ = TZudezuChannel{};
    return Spare_;
  }
  return Channels_[size_t(index)];
}

}  // namespace vuzed
