// The gamepad layout on a virtual controller (SDL's virtual joystick, no
// hardware): plugged in while running, every button's key-down, the D-pad
// and the left stick as held arrows, and unplugging.
#include "platform/sdl/sdl_gamepad.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "core/keys.h"
#include "platform/sdl/sdl_keyboard.h"
#include "platform/sdl/sdl_window.h"

namespace rara3 {
namespace {

class VirtualPad : public testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    ASSERT_TRUE(pads.Open()) << SDL_GetError();
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "Rara3 test pad";
    index = SDL_JoystickAttachVirtualEx(&desc);
    ASSERT_GE(index, 0) << SDL_GetError();
    joystick = SDL_JoystickOpen(index);
    ASSERT_NE(joystick, nullptr) << SDL_GetError();
    Events();  // the device-added event opens the pad
    ASSERT_EQ(pads.Count(), 1u);
  }

  void TearDown() override {
    if (joystick != nullptr) SDL_JoystickClose(joystick);
    if (index >= 0) SDL_JoystickDetachVirtual(index);
    Events();
  }

  std::vector<WindowEvent> Events() {
    SDL_JoystickUpdate();
    std::vector<WindowEvent> out;
    window.TakeEvents(out);
    return out;
  }

  std::vector<int> Held() {
    SDL_JoystickUpdate();
    SDL_PumpEvents();
    uint8_t state[256] = {};
    keyboard.Poll(state);
    std::vector<int> held;
    for (int k : {KeyStateUp, KeyStateLeft, KeyStateRight, KeyStateDown})
      if (state[k] != 0) held.push_back(k);
    return held;
  }

  SdlGamepads pads;
  SdlWindow window{&pads};
  SdlKeyboard keyboard{&pads};
  SDL_Joystick* joystick = nullptr;
  int index = -1;
};

TEST_F(VirtualPad, EveryButtonGivesItsKey) {
  const struct {
    SDL_GameControllerButton button;
    int16_t key;
  } cases[] = {
      {SDL_CONTROLLER_BUTTON_A, KeyEnter},          {SDL_CONTROLLER_BUTTON_START, KeyEnter},
      {SDL_CONTROLLER_BUTTON_BACK, KeyEscape},      {SDL_CONTROLLER_BUTTON_B, KeyBackspace},
      {SDL_CONTROLLER_BUTTON_Y, KeyR},              {SDL_CONTROLLER_BUTTON_X, KeySpace},
      {SDL_CONTROLLER_BUTTON_DPAD_UP, KeyUp},       {SDL_CONTROLLER_BUTTON_DPAD_DOWN, KeyDown},
      {SDL_CONTROLLER_BUTTON_DPAD_LEFT, KeyLeft},   {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, KeyRight},
      {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, KeyOther}, {SDL_CONTROLLER_BUTTON_RIGHTSTICK, KeyOther},
      {SDL_CONTROLLER_BUTTON_GUIDE, KeyOther},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(SDL_GameControllerGetStringForButton(c.button));
    SDL_JoystickSetVirtualButton(joystick, c.button, 1);
    const std::vector<WindowEvent> down = Events();
    ASSERT_EQ(down.size(), 1u);
    EXPECT_EQ(down[0].kind, WindowEventKind::KeyDown);
    EXPECT_EQ(down[0].keyCode, c.key);
    EXPECT_EQ(down[0].modifierMask, 0);
    // Letting go gives nothing; holding gives no repeats.
    SDL_JoystickSetVirtualButton(joystick, c.button, 0);
    EXPECT_TRUE(Events().empty());
  }
}

TEST_F(VirtualPad, DpadAndLeftStickAreHeldArrows) {
  EXPECT_TRUE(Held().empty());
  SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 1);
  EXPECT_EQ(Held(), std::vector<int>{KeyStateRight});
  SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 0);
  EXPECT_TRUE(Held().empty());

  const struct {
    SDL_GameControllerAxis axis;
    int16_t value;
    std::vector<int> held;
  } cases[] = {
      {SDL_CONTROLLER_AXIS_LEFTX, -32768, {KeyStateLeft}},
      {SDL_CONTROLLER_AXIS_LEFTX, 32767, {KeyStateRight}},
      {SDL_CONTROLLER_AXIS_LEFTY, -20000, {KeyStateUp}},
      {SDL_CONTROLLER_AXIS_LEFTY, 20000, {KeyStateDown}},
      // A stick at rest or barely touched holds nothing.
      {SDL_CONTROLLER_AXIS_LEFTX, 8000, {}},
      {SDL_CONTROLLER_AXIS_RIGHTX, 32767, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.axis) + " at " + std::to_string(c.value));
    SDL_JoystickSetVirtualAxis(joystick, c.axis, c.value);
    EXPECT_EQ(Held(), c.held);
    SDL_JoystickSetVirtualAxis(joystick, c.axis, 0);
  }
}

// A held D-pad repeats its arrow as a held key does: the title's floor and
// the editor's cursor keep moving.
TEST_F(VirtualPad, AHeldDpadRepeatsItsArrow) {
  SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_DPAD_UP, 1);
  SDL_JoystickUpdate();
  SDL_FlushEvents(SDL_CONTROLLERAXISMOTION, SDL_CONTROLLERDEVICEREMAPPED);
  const double t = 1000.0;
  const struct {
    double at;
    size_t repeats;
  } steps[] = {{t, 0},         {t + 0.49, 0}, {t + 0.5, 1},  {t + 0.52, 0},
               {t + 0.54, 1},  {t + 0.58, 1},
               // A long frame brings one repeat, not a burst.
               {t + 2.0, 1},   {t + 2.01, 0}, {t + 2.04, 1}};
  for (const auto& s : steps) {
    SCOPED_TRACE(s.at - t);
    std::vector<WindowEvent> out;
    pads.AddRepeats(s.at, out);
    ASSERT_EQ(out.size(), s.repeats);
    for (const WindowEvent& e : out) EXPECT_EQ(e.keyCode, KeyUp);
  }
  SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_DPAD_UP, 0);
  SDL_JoystickUpdate();
  std::vector<WindowEvent> out;
  pads.AddRepeats(t + 3.0, out);
  EXPECT_TRUE(out.empty());
}

TEST_F(VirtualPad, UnpluggingForgetsThePad) {
  SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_DPAD_DOWN, 1);
  EXPECT_EQ(Held(), std::vector<int>{KeyStateDown});
  SDL_JoystickClose(joystick);
  joystick = nullptr;
  ASSERT_EQ(SDL_JoystickDetachVirtual(index), 0) << SDL_GetError();
  index = -1;
  Events();
  EXPECT_EQ(pads.Count(), 0u);
  EXPECT_TRUE(Held().empty());
}

}  // namespace
}  // namespace rara3
