// The main loop: one pass is a frame (the step before drawing, the
// drawing, the flip, the step after it), then the window events that queued up
// (each handler run to completion), then at most one timer tick. The real
// game, the simulator and the tests all run this same pass.
#pragma once

#include <vector>

#include "core/platform.h"
#include "game/game_state.h"

namespace rara3 {

// Runs the handlers in order; once one of them has ended the program, the
// rest are dropped.
void HandleWindowEvents(GameState& g, Platform& p, const std::vector<WindowEvent>& events);

// One frame: the frame step before drawing, the picture of the state, the
// flip, the step after the flip. Nothing before the main loop has started
// or for an unknown scene.
void RunFrame(GameState& g, Platform& p);

// One pass of the main loop: RunFrame; then the events queued by the
// caller before the pass followed by those the window reports; then one
// HandleTimerTick when the window has a tick pending. A failure inside the
// frame takes the fatal-error path. Nothing runs once the program has ended.
void RunPass(GameState& g, Platform& p, const std::vector<WindowEvent>& queued = {});

// Passes until the program ends, or, when stopAt > 0, until the window's
// clock passes it.
void RunMainLoop(GameState& g, Platform& p, double stopAt = 0.0);

}  // namespace rara3
