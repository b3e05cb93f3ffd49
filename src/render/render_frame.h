// One frame's picture of the current scene on the back buffer. Drawing
// changes nothing: what a frame advances is the frame step's
// (game/frame_step.h), run around it by the loop pass.
#pragma once

#include "core/platform.h"
#include "game/game_state.h"

namespace rara3 {

// Clears the back buffer and draws the scene's layers; draws nothing for an
// unknown scene. Does not flip.
void DrawFrame(const GameState& g, Display& d);

}  // namespace rara3
