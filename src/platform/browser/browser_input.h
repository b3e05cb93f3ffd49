// The page's keyboard as the game knows it: DOM key events turned into
// held scan codes (the keyboard poll) and into virtual-key key-downs with
// their modifier mask (the window's events), collected between passes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/platform.h"
#include "platform/browser/browser_keys.h"

namespace rara3 {

// What the key listeners collect between two passes of the main loop.
class BrowserInput {
 public:
  // Starts listening on the page; the listeners stay for the page's life.
  void Listen();

  void KeyDown(const std::string& code, unsigned long keyCode, int16_t mask);
  void KeyUp(const std::string& code);
  // The page lost the focus: no key is held any longer.
  void ReleaseAll();
  void Push(const WindowEvent& e) {
    events_.push_back(e);
    Woken();
  }
  // Called on every key-down and every event pushed, from the listener.
  void OnInput(void (*wake)(void*), void* arg) {
    wake_ = wake;
    wakeArg_ = arg;
  }

  void TakeEvents(std::vector<WindowEvent>& out);
  const uint8_t (&Held() const)[256] { return held_; }

 private:
  void Woken() {
    if (wake_ != nullptr) wake_(wakeArg_);
  }

  uint8_t held_[256] = {};
  std::vector<WindowEvent> events_;
  void (*wake_)(void*) = nullptr;
  void* wakeArg_ = nullptr;
};

}  // namespace rara3
