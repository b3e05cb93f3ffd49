// The page's keys in the numbers the game knows, as the desktop reports
// them: scan codes for held keys, virtual-key codes and the modifier mask
// for key-downs.
#pragma once

#include <cstdint>
#include <string>

namespace rara3 {

// The scan code (PC set 1, extended keys + 128) of a DOM KeyboardEvent.code,
// or 0 for a key without one.
int ScanCodeOfDomCode(const std::string& code);

// The virtual-key code of a DOM key-down from its keyCode (the browser's
// keyCode is the Windows virtual-key number), or 0 when the game has none.
int16_t VirtualKeyOfDom(unsigned long keyCode);

// 1 Shift, 2 Ctrl, 4 Alt.
int16_t ModifierMaskOfDom(bool shift, bool ctrl, bool alt);

// True when the page should keep the key from the browser (no scrolling on
// arrows and Space, no browser function on the game's own keys): the keys
// the game acts on, plain or with Shift, and the hidden keys with Ctrl+Shift.
bool GameKeepsKey(int16_t virtualKey, int16_t mask);

}  // namespace rara3
