#include "engine/platform/sdl_input_source.h"

#include <SDL.h>

#include <algorithm>

#include "engine/platform/sdl_keymap.h"
#include "engine/platform/sdl_pad_map.h"

namespace vuzed {
namespace {

// Button n of the pad state is this controller button (see sdl_pad_map.h).
constexpr SDL_GameControllerButton kPadButtons[kPadButtonCount] = {
    SDL_CONTROLLER_BUTTON_A,          SDL_CONTROLLER_BUTTON_B,
    SDL_CONTROLLER_BUTTON_X,          SDL_CONTROLLER_BUTTON_Y,
    SDL_CONTROLLER_BUTTON_BACK,       SDL_CONTROLLER_BUTTON_GUIDE,
    SDL_CONTROLLER_BUTTON_START,      SDL_CONTROLLER_BUTTON_LEFTSTICK,
    SDL_CONTROLLER_BUTTON_RIGHTSTICK, SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
    SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, SDL_CONTROLLER_BUTTON_DPAD_UP,
    SDL_CONTROLLER_BUTTON_DPAD_DOWN,  SDL_CONTROLLER_BUTTON_DPAD_LEFT,
    SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
};

}  // namespace

SdlInputSource::SdlInputSource() {
  for (int i = 0; i < SDL_NumJoysticks(); ++i) ControllerAdded(i);
}

SdlInputSource::~SdlInputSource() {
  for (Pad& pad : Pads_) SDL_GameControllerClose(pad.Controller);
}

void SdlInputSource::ControllerAdded(int deviceIndex) {
  if (!SDL_IsGameController(deviceIndex)) return;
  // SDL also reports controllers that were present at start-up as added.
  int id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
  for (const Pad& pad : Pads_)
    if (pad.InstanceId == id) return;
  SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
  if (!controller) return;
  id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
  Pads_.push_back({controller, id});
}

void SdlInputSource::ControllerRemoved(int instanceId) {
  auto it = std::find_if(Pads_.begin(), Pads_.end(),
                         [&](const Pad& pad) { return pad.InstanceId == instanceId; });
  if (it == Pads_.end()) return;
  SDL_GameControllerClose(it->Controller);
  Pads_.erase(it);
}

bool SdlInputSource::ReadKeyboard(std::array<uint8_t, 256>& keys) {
  keys.fill(0);
  int count = 0;
  const Uint8* state = SDL_GetKeyboardState(&count);
  if (!state) return false;
  for (const KeyMapEntry& e : KeyMapEntries())
    if (e.Scancode < count && state[e.Scancode]) keys[e.Dik] = 0x80;
  return true;
}

bool SdlInputSource::IsKeyDown(uint8_t dik) {
  if (dik == 0) return false;
  int count = 0;
  const Uint8* state = SDL_GetKeyboardState(&count);
  if (!state) return false;
  for (const KeyMapEntry& e : KeyMapEntries())
    if (e.Dik == dik && e.Scancode < count && state[e.Scancode]) return true;
  return false;
}

bool SdlInputSource::ReadPad(int index, JoyState& state) {
  state = JoyState{};
  state.Pov.fill(kPovCentred);
  if (index < 0 || index >= PadCount()) return false;
  SDL_GameController* c = Pads_[size_t(index)].Controller;
  if (!SDL_GameControllerGetAttached(c)) return false;
  state.lX = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTX);
  state.lY = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTY);
  state.lRx = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_RIGHTX);
  state.lRy = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_RIGHTY);
  state.lZ = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_TRIGGERLEFT);
  state.lRz = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
  for (int b = 0; b < kPadButtonCount; ++b)
    state.Buttons[size_t(b)] = SDL_GameControllerGetButton(c, kPadButtons[b]) ? 0x80 : 0;
  state.Pov[0] = PovFromDpad(SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_DPAD_UP),
                             SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_DPAD_DOWN),
                             SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_DPAD_LEFT),
                             SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_DPAD_RIGHT));
  return true;
}

}  // namespace vuzed
