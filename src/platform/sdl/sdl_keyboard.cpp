#include "platform/sdl/sdl_keyboard.h"

#include <SDL.h>

#include <cstring>

#include "platform/sdl/sdl_keys.h"

namespace rara3 {

void SdlKeyboard::Poll(uint8_t (&state)[256]) {
  std::memset(state, 0, sizeof state);
  if (!acquired_) return;
  int count = 0;
  const Uint8* keys = SDL_GetKeyboardState(&count);
  for (int k = 0; k < count; ++k) {
    if (keys[k] == 0) continue;
    const int code = ScanCodeOf(static_cast<SDL_Scancode>(k));
    if (code != 0) state[code] = 0x80;
  }
  if (pads_ != nullptr) pads_->AddHeldArrows(state);
}

}  // namespace rara3
