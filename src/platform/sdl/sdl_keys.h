// SDL's keys in the numbers the game knows: keyboard scan codes (the index
// of the keyboard's poll) for held keys, Windows virtual-key codes and the modifier
// mask for key-down events.
#pragma once

#include <SDL.h>

#include <cstdint>

namespace rara3 {

// The scan code of a key (PC set 1, extended keys + 128: 200 up, 203 left,
// 205 right, 208 down), or 0 for a key without one.
int ScanCodeOf(SDL_Scancode key);

// The virtual-key code of a key-down; every key has one (KeyOther for keys
// without a code of their own). Letters by the layout's letter, else by
// their position.
int16_t VirtualKeyOf(const SDL_Keysym& key);

// 1 Shift, 2 Ctrl, 4 Alt, either side.
int16_t ModifierMaskOf(uint16_t mod);

}  // namespace rara3
