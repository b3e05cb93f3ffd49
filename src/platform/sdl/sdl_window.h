// The game window's events and timer on SDL: key-downs, focus and closing
// from SDL's queue, Timer1 from the performance counter.
#pragma once

#include <vector>

#include "core/platform.h"

namespace rara3 {

class SdlWindow : public Window {
 public:
  void TakeEvents(std::vector<WindowEvent>& out) override;
  bool TakeTimerTick() override;
  double NowSeconds() override;

  // Timer1 counts from here: called as the main loop starts.
  void StartTimer();

 private:
  double lastTick_ = 0.0;
};

}  // namespace rara3
