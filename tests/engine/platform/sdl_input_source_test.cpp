// The SDL input source and window host on SDL's dummy video driver, with a
// virtual game controller standing in for a real pad.

#include "engine/platform/sdl_input_source.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include "engine/input/dik_codes.h"
#include "engine/platform/sdl_pad_map.h"
#include "engine/platform/sdl_window_host.h"

namespace vuzed {
namespace {

class SdlInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_GAMECONTROLLER | SDL_INIT_EVENTS), 0)
        << SDL_GetError();
    Window = SDL_CreateWindow("test", 0, 0, 640, 480, SDL_WINDOW_HIDDEN);
    ASSERT_NE(Window, nullptr) << SDL_GetError();
  }
  void TearDown() override {
    Host.reset();
    Input.reset();
    if (VirtualPad >= 0) SDL_JoystickDetachVirtual(VirtualPad);
    if (Window) SDL_DestroyWindow(Window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_GAMECONTROLLER | SDL_INIT_EVENTS);
  }

  // A virtual controller with six axes and fifteen buttons in SDL's controller order.
  void AttachPad() {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = 15;
    desc.name = "virtual pad";
    VirtualPad = SDL_JoystickAttachVirtualEx(&desc);
    ASSERT_GE(VirtualPad, 0) << SDL_GetError();
  }
  SDL_Joystick* PadJoystick() {
    return SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(VirtualPad));
  }

  void Start() {
    Input = std::make_unique<SdlInputSource>();
    Host = std::make_unique<SdlWindowHost>(Window, Input.get());
  }

  SDL_Window* Window = nullptr;
  int VirtualPad = -1;
  std::unique_ptr<SdlInputSource> Input;
  std::unique_ptr<SdlWindowHost> Host;
};

TEST_F(SdlInputTest, NoKeysAndNoPadsWithoutADevice) {
  Start();
  Host->ProcessMessages();
  std::array<uint8_t, 256> keys;
  keys.fill(0xAA);
  ASSERT_TRUE(Input->ReadKeyboard(keys));
  for (uint8_t k : keys) EXPECT_EQ(k, 0);
  EXPECT_FALSE(Input->IsKeyDown(dik::Z));
  EXPECT_FALSE(Input->IsKeyDown(0));
  EXPECT_EQ(Input->PadCount(), 0);
  JoyState state;
  state.lX = 5;
  EXPECT_FALSE(Input->ReadPad(0, state));
  EXPECT_EQ(state.lX, 0);
  EXPECT_EQ(state.Pov[0], kPovCentred);
  EXPECT_FALSE(Input->ReadPad(-1, state));
}

TEST_F(SdlInputTest, PadPresentAtStartIsPadZero) {
  AttachPad();
  Start();
  EXPECT_EQ(Input->PadCount(), 1);
  // SDL reports it as added once more: still one pad.
  Host->ProcessMessages();
  EXPECT_EQ(Input->PadCount(), 1);
}

TEST_F(SdlInputTest, PadPluggedInLaterArrivesThroughTheWindowHost) {
  Start();
  EXPECT_EQ(Input->PadCount(), 0);
  AttachPad();
  Host->ProcessMessages();
  EXPECT_EQ(Input->PadCount(), 1);
  SDL_JoystickDetachVirtual(VirtualPad);
  VirtualPad = -1;
  Host->ProcessMessages();
  EXPECT_EQ(Input->PadCount(), 0);
}

TEST_F(SdlInputTest, PadAxesButtonsAndPov) {
  AttachPad();
  Start();
  SDL_Joystick* j = PadJoystick();
  ASSERT_NE(j, nullptr);
  SDL_JoystickSetVirtualAxis(j, SDL_CONTROLLER_AXIS_LEFTX, 32767);
  SDL_JoystickSetVirtualAxis(j, SDL_CONTROLLER_AXIS_LEFTY, -32768);
  SDL_JoystickSetVirtualAxis(j, SDL_CONTROLLER_AXIS_RIGHTX, -1000);
  SDL_JoystickSetVirtualAxis(j, SDL_CONTROLLER_AXIS_RIGHTY, 1000);
  SDL_JoystickSetVirtualAxis(j, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
  SDL_JoystickSetVirtualButton(j, SDL_CONTROLLER_BUTTON_A, 1);
  SDL_JoystickSetVirtualButton(j, SDL_CONTROLLER_BUTTON_START, 1);
  SDL_JoystickSetVirtualButton(j, SDL_CONTROLLER_BUTTON_DPAD_UP, 1);
  SDL_JoystickSetVirtualButton(j, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 1);
  Host->ProcessMessages();

  JoyState s;
  ASSERT_TRUE(Input->ReadPad(0, s));
  EXPECT_EQ(s.lX, 32767);
  EXPECT_EQ(s.lY, -32768);
  EXPECT_EQ(s.lRx, -1000);
  EXPECT_EQ(s.lRy, 1000);
  EXPECT_EQ(s.lRz, 32767);
  EXPECT_EQ(s.Buttons[0], 0x80);   // A
  EXPECT_EQ(s.Buttons[1], 0);      // B
  EXPECT_EQ(s.Buttons[6], 0x80);   // Start
  EXPECT_EQ(s.Buttons[11], 0x80);  // pad up
  EXPECT_EQ(s.Buttons[14], 0x80);  // pad right
  EXPECT_EQ(s.Buttons[15], 0);
  EXPECT_EQ(s.Pov[0], 4500u);
  EXPECT_EQ(s.Pov[1], kPovCentred);
  EXPECT_EQ(s.Pov[3], kPovCentred);
  EXPECT_FALSE(Input->ReadPad(1, s));
}

TEST_F(SdlInputTest, WindowHostSeesQuitAndClose) {
  Start();
  EXPECT_TRUE(Host->Headless());
  EXPECT_TRUE(Host->IsActive());
  EXPECT_EQ(Host->ClientWidth(), 640);
  EXPECT_EQ(Host->ClientHeight(), 480);
  Host->ProcessMessages();
  EXPECT_FALSE(Host->CloseRequested());
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  Host->ProcessMessages();
  EXPECT_TRUE(Host->CloseRequested());
}

TEST_F(SdlInputTest, WindowCloseBoxOfAnotherWindowIsIgnored) {
  Start();
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = SDL_WINDOWEVENT_CLOSE;
  e.window.windowID = SDL_GetWindowID(Window) + 100;
  SDL_PushEvent(&e);
  Host->ProcessMessages();
  EXPECT_FALSE(Host->CloseRequested());
  e.window.windowID = SDL_GetWindowID(Window);
  SDL_PushEvent(&e);
  Host->ProcessMessages();
  EXPECT_TRUE(Host->CloseRequested());
}

TEST_F(SdlInputTest, ErrorsGoToStderrWithoutADisplay) {
  Start();
  ::testing::internal::CaptureStderr();
  Host->ShowError("vuzed", "something failed");
  std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(err, "vuzed: something failed\n");
}

}  // namespace
}  // namespace vuzed
