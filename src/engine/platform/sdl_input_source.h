#pragma once
// Keyboard and game pads through SDL2. The keyboard state is SDL's, read by
// DIK code through the key map; the first opened game controller is pad 0.
// SDL updates both while the window host pumps events.

#include <array>
#include <cstdint>
#include <vector>

#include "engine/platform/input_source.h"

struct _SDL_GameController;

namespace vuzed {

class SdlInputSource : public InputSource {
 public:
  // Opens every game controller already connected.
  SdlInputSource();
  ~SdlInputSource() override;
  SdlInputSource(const SdlInputSource&) = delete;
  SdlInputSource& operator=(const SdlInputSource&) = delete;

  bool ReadKeyboard(std::array<uint8_t, 256>& keys) override;
  int PadCount() const override { return int(Pads_.size()); }
  bool ReadPad(int index, JoyState& state) override;
  bool IsKeyDown(uint8_t dik) override;

  // Controller hot-plugging, forwarded by the window host: the joystick
  // device index of an added controller, the instance id of a removed one.
  void ControllerAdded(int deviceIndex);
  void ControllerRemoved(int instanceId);

 private:
  struct Pad {
    _SDL_GameController* Controller;
    int InstanceId;
  };
  std::vector<Pad> Pads_;
};

}  // namespace vuzed
