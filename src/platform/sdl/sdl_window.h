// The game window's events and timer on SDL: key-downs, focus and closing
// from SDL's queue, Timer1 from the performance counter.
#pragma once

#include <vector>

#include "core/platform.h"
#include "platform/sdl/sdl_gamepad.h"

namespace rara3 {

// The picture pixel under window point (wx, wy) of a window of windowW x
// windowH points drawn in outW x outH pixels (more on a high-density
// screen); it lies outside 640 x 480 over the black bars.
SDL_Point PicturePointOf(double wx, double wy, int windowW, int windowH, int outW, int outH);

class SdlWindow : public Window {
 public:
  // With pads, their buttons arrive as key-downs.
  explicit SdlWindow(SdlGamepads* pads = nullptr) : pads_(pads) {}
  void TakeEvents(std::vector<WindowEvent>& out) override;
  bool TakeTimerTick() override;
  double NowSeconds() override;

  // Timer1 counts from here: called as the main loop starts.
  void StartTimer();
  // Mouse and touch on this window become pointer events in picture
  // pixels, through the frame's scale and black bars.
  void MapPointer(SDL_Window* window) { pointerWindow_ = window; }
  // Requests on the instance lock's socket fd bring window to the front.
  void WatchRaiseRequests(int fd, SDL_Window* window) {
    raiseFd_ = fd;
    raiseWindow_ = window;
  }

 private:
  SdlGamepads* pads_;
  int raiseFd_ = -1;
  SDL_Window* raiseWindow_ = nullptr;
  SDL_Window* pointerWindow_ = nullptr;
  // The finger that plays; other fingers on the screen meanwhile do nothing.
  SDL_FingerID finger_ = 0;
  bool fingerDown_ = false;
  double lastTick_ = 0.0;

  void AddPointer(WindowEventKind kind, double wx, double wy, std::vector<WindowEvent>& out);
  void TakePointerEvent(const SDL_Event& e, std::vector<WindowEvent>& out);
};

}  // namespace rara3
