// What the game window delivers between frames: key-downs, its activation
// and its closing, and the ticks of its 10 ms timer.
#pragma once

#include <cstdint>

namespace rara3 {

enum class WindowEventKind { KeyDown, Activate, Close, PointerDown, PointerMove, PointerUp };

struct WindowEvent {
  WindowEventKind kind = WindowEventKind::KeyDown;
  int16_t keyCode = 0;
  int16_t modifierMask = 0;
  // Pointer events: where, in pixels of the 640 x 480 picture (it may lie
  // outside it when the window is larger).
  int32_t x = 0;
  int32_t y = 0;
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
