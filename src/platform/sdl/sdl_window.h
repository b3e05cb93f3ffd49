// The game window's events and timer on SDL: key-downs, focus and closing
// from SDL's queue, Timer1 from the performance counter.
#pragma once

#include <vector>

#include "core/platform.h"
#include "platform/sdl/sdl_gamepad.h"

namespace rara3 {

class SdlWindow : public Window {
 public:
  // With pads, their buttons arrive as key-downs.
  explicit SdlWindow(SdlGamepads* pads = nullptr) : pads_(pads) {}
  void TakeEvents(std::vector<WindowEvent>& out) override;
  bool TakeTimerTick() override;
  double NowSeconds() override;

  // Timer1 counts from here: called as the main loop starts.
  void StartTimer();
  // Requests on the instance lock's socket fd bring window to the front.
  void WatchRaiseRequests(int fd, SDL_Window* window) {
    raiseFd_ = fd;
    raiseWindow_ = window;
  }

 private:
  SdlGamepads* pads_;
  int raiseFd_ = -1;
  SDL_Window* raiseWindow_ = nullptr;
  double lastTick_ = 0.0;
};

}  // namespace rara3
