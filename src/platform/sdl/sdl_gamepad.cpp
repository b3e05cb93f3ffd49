#include "platform/sdl/sdl_gamepad.h"

namespace rara3 {

PadButton PadButtonOf(SDL_GameControllerButton b) {
  switch (b) {
    case SDL_CONTROLLER_BUTTON_A: return PadButton::A;
    case SDL_CONTROLLER_BUTTON_B: return PadButton::B;
    case SDL_CONTROLLER_BUTTON_X: return PadButton::X;
    case SDL_CONTROLLER_BUTTON_Y: return PadButton::Y;
    case SDL_CONTROLLER_BUTTON_BACK: return PadButton::Back;
    case SDL_CONTROLLER_BUTTON_START: return PadButton::Start;
    case SDL_CONTROLLER_BUTTON_GUIDE: return PadButton::Guide;
    case SDL_CONTROLLER_BUTTON_LEFTSTICK: return PadButton::LeftStick;
    case SDL_CONTROLLER_BUTTON_RIGHTSTICK: return PadButton::RightStick;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER: return PadButton::LeftShoulder;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER: return PadButton::RightShoulder;
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return PadButton::DpadUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return PadButton::DpadDown;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return PadButton::DpadLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return PadButton::DpadRight;
    default: return PadButton::Other;
  }
}

SdlGamepads::~SdlGamepads() {
  for (auto& [id, pad] : pads_) SDL_GameControllerClose(pad);
  pads_.clear();
  if (open_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool SdlGamepads::Open() {
  if (open_) return true;
  open_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
  return open_;
}

bool SdlGamepads::HandleEvent(const SDL_Event& e, std::vector<WindowEvent>& out) {
  switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED: {
      SDL_GameController* pad = SDL_GameControllerOpen(e.cdevice.which);
      if (pad == nullptr) return true;
      const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad));
      if (pads_.count(id) != 0) {
        SDL_GameControllerClose(pad);  // already open: SDL counted it twice
      } else {
        pads_[id] = pad;
      }
      return true;
    }
    case SDL_CONTROLLERDEVICEREMOVED: {
      const auto it = pads_.find(e.cdevice.which);
      if (it != pads_.end()) {
        SDL_GameControllerClose(it->second);
        pads_.erase(it);
      }
      return true;
    }
    case SDL_CONTROLLERBUTTONDOWN: {
      const auto button = static_cast<SDL_GameControllerButton>(e.cbutton.button);
      out.push_back({WindowEventKind::KeyDown, KeyCodeOfPadButton(PadButtonOf(button)), 0});
      return true;
    }
    case SDL_CONTROLLERBUTTONUP:
    case SDL_CONTROLLERAXISMOTION:
    case SDL_CONTROLLERDEVICEREMAPPED:
      return true;
    default:
      return false;
  }
}

namespace {

constexpr SDL_GameControllerButton kDpad[] = {
    SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_BUTTON_DPAD_DOWN,
    SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT};

}  // namespace

void SdlGamepads::AddRepeats(double now, std::vector<WindowEvent>& out) {
  for (int d = 0; d < 4; ++d) {
    bool held = false;
    for (const auto& [id, pad] : pads_) {
      held = held || SDL_GameControllerGetButton(pad, kDpad[d]) != 0;
    }
    if (!held) {
      nextRepeat_[d] = -1;
      continue;
    }
    // The press itself came as a button event.
    if (nextRepeat_[d] < 0) {
      nextRepeat_[d] = now + kRepeatDelay;
      continue;
    }
    if (now < nextRepeat_[d]) continue;
    out.push_back({WindowEventKind::KeyDown, KeyCodeOfPadButton(PadButtonOf(kDpad[d])), 0});
    // After a long frame one repeat, not a burst.
    if (now - nextRepeat_[d] > kRepeatInterval) nextRepeat_[d] = now;
    nextRepeat_[d] += kRepeatInterval;
  }
}

void SdlGamepads::AddHeldArrows(uint8_t (&state)[256]) const {
  for (const auto& [id, pad] : pads_) {
    for (SDL_GameControllerButton b : kDpad) {
      if (SDL_GameControllerGetButton(pad, b) != 0) {
        state[HeldScanOfPadButton(PadButtonOf(b))] = 0x80;
      }
    }
    const int x = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX);
    const int y = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY);
    if (x <= -kPadStickThreshold) state[KeyStateLeft] = 0x80;
    if (x >= kPadStickThreshold) state[KeyStateRight] = 0x80;
    if (y <= -kPadStickThreshold) state[KeyStateUp] = 0x80;
    if (y >= kPadStickThreshold) state[KeyStateDown] = 0x80;
  }
}

}  // namespace rara3
