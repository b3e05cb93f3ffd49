// The held keys from SDL's keyboard state, by scan code.
#pragma once

#include "core/platform.h"

namespace rara3 {

class SdlKeyboard : public Keyboard {
 public:
  // The state as the last events left it; the main loop pumps them.
  void Poll(uint8_t (&state)[256]) override;
  void Unacquire() override { acquired_ = false; }

 private:
  bool acquired_ = true;
};

}  // namespace rara3
