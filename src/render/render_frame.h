// One frame of the current scene: effects, clear, layers, flip, and the work
// that ends a walk or a push after the flip.
#pragma once

#include "game/game_state.h"
#include "core/platform.h"

namespace rara3 {

// Draws the current Scene on the back buffer, advances its counters, flips.
// Does nothing before the main loop has started or for an unknown scene.
void RenderFrame(GameState& g, Platform& p);

}  // namespace rara3
