// What the game window delivers between frames: key-downs, its activation
// and its closing, and the ticks of its 10 ms timer.
#pragma once

#include <cstdint>

namespace rara3 {

enum class WindowEventKind { KeyDown, Activate, Close };

struct WindowEvent {
  WindowEventKind kind = WindowEventKind::KeyDown;
  int16_t keyCode = 0;
  int16_t modifierMask = 0;
};

// Timer1's interval.
constexpr double kTimerInterval = 0.010;

// True when a tick is due at now (seconds): at least one interval since the
// last tick. Ticks never pile up: however long the frame took, one tick.
constexpr bool TimerTickDue(double now, double& lastTick) {
  if (now - lastTick < kTimerInterval) return false;
  lastTick = now;
  return true;
}

}  // namespace rara3
