// The main loop's work after each frame: the window events that queued up,
// each handler run to completion, then at most one timer tick.
#pragma once

#include <cstdint>
#include <vector>

#include "game/game_state.h"
#include "platform/platform.h"

namespace rara3 {

enum class WindowEventKind { KeyDown, Activate, Close };

struct WindowEvent {
  WindowEventKind kind = WindowEventKind::KeyDown;
  int16_t keyCode = 0;
  int16_t modifierMask = 0;
};

// Timer1's interval.
constexpr double kTimerInterval = 0.010;

// Runs the handlers in order; once one of them has ended the program, the
// rest are dropped.
void HandleWindowEvents(GameState& g, Platform& p, const std::vector<WindowEvent>& events);

// True when a tick is due at now (seconds): at least one interval since the
// last tick. Ticks never pile up: however long the frame took, one tick.
bool TimerTickDue(double now, double& lastTick);

}  // namespace rara3
