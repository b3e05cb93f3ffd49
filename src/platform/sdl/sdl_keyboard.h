// The held keys from SDL's keyboard state, by scan code.
#pragma once

#include "core/platform.h"
#include "platform/sdl/sdl_gamepad.h"

namespace rara3 {

class SdlKeyboard : public Keyboard {
 public:
  // With pads, their D-pads and left sticks count as held arrows too.
  explicit SdlKeyboard(const SdlGamepads* pads = nullptr) : pads_(pads) {}
  // The state as the last events left it; the main loop pumps them.
  void Poll(uint8_t (&state)[256]) override;
  void Release() override { acquired_ = false; }

 private:
  const SdlGamepads* pads_;
  bool acquired_ = true;
};

}  // namespace rara3
