// The page's keyboard as the game knows it: DOM key events turned into
// held scan codes (the keyboard poll) and into virtual-key key-downs with
// their modifier mask (the window's events).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/platform.h"

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

// What the key listeners collect between two passes of the main loop.
class BrowserInput {
 public:
  // Starts listening on the page; the listeners stay for the page's life.
  void Listen();

  void KeyDown(const std::string& code, unsigned long keyCode, int16_t mask);
  void KeyUp(const std::string& code);
  // The page lost the focus: no key is held any longer.
  void ReleaseAll();
  void Push(const WindowEvent& e) { events_.push_back(e); }

  void TakeEvents(std::vector<WindowEvent>& out);
  const uint8_t (&Held() const)[256] { return held_; }

 private:
  uint8_t held_[256] = {};
  std::vector<WindowEvent> events_;
};

}  // namespace rara3
